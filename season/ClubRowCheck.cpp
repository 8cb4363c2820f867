#include "season/ClubRowCheck.h"

#include "data/StaffelError.h"
#include "season/BlockedDates.h"
#include "season/Clubs.h"
#include "season/QuotedText.h"

namespace {

void CheckName(TRecordTable& table, const TField& name) {
    const std::string folded = FoldClubName(name.AsText());
    if (folded.empty())
        throw TStaffelError("Der Verein braucht einen Namen.");
    const int current = table.DisplayIndex();
    for (int r = 0; r < table.DisplayCount(); ++r)
        if (r != current && FoldClubName(table.DisplayText(r, name.Index())) == folded)
            throw TStaffelError("Den Verein " +
                                QuotedFieldText(table.DisplayText(r, name.Index())) +
                                " gibt es schon.");
}

void CheckCapacity(TField& capacity) {
    if (capacity.IsNull()) {
        capacity.SetAsInteger(DefaultCapacity);
        return;
    }
    const int value = capacity.AsInteger();
    if (value < 1 || value > MaxCapacity)
        throw TStaffelError("Die Kapazit\xC3\xA4t muss zwischen 1 und " +
                            std::to_string(MaxCapacity) + " liegen, nicht " +
                            std::to_string(value) + ".");
}

void CheckBlocked(TField& blocked, const TRegionalSettings& settings) {
    std::vector<std::string> bad;
    const std::vector<TDaySerial> days = ParseBlockedDates(blocked.AsText(), settings, bad);
    if (!bad.empty())
        throw TStaffelError(QuotedFieldText(bad.front()) +
                            " ist kein g\xC3\xBCltiges Datum. Sperrtermine werden als Datum "
                            "eingegeben (etwa " +
                            settings.FormatDate(*DayFromCivil(2009, 10, 3)) +
                            "), getrennt durch Semikolon.");
    // Whatever form was typed, the file gets the stored one.
    const std::string text = FormatBlockedDates(days);
    if (blocked.Width() > 0 && static_cast<int>(text.size()) > blocked.Width())
        throw TStaffelError("Zu viele Sperrtermine: gespeichert brauchen sie " +
                            std::to_string(text.size()) + " Zeichen, das Feld fasst " +
                            std::to_string(blocked.Width()) + ".");
    if (text == blocked.AsText())
        return;
    if (text.empty())
        blocked.Clear();
    else
        blocked.SetAsText(text);
}

} // namespace

void CheckClubRow(TRecordTable& table) {
    if (TField* name = table.FindField("Verein"))
        CheckName(table, *name);
    if (TField* capacity = table.FindField("Kapazitaet"))
        CheckCapacity(*capacity);
    if (TField* blocked = table.FindField("Sperrtermine"))
        CheckBlocked(*blocked, table.Settings());
}
