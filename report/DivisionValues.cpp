#include "report/DivisionValues.h"

#include "data/AsciiCase.h"
#include "data/StaffelError.h"
#include "data/file/Cp1252.h"

#include <algorithm>
#include <charconv>

namespace {

// One row's values by field name: the current row, or a row of the display order.
struct TRowValues {
    TRecordTable& Table;
    int DisplayIndex = -1; // -1: the current row

    const TValue* Value(std::string_view name) const {
        const TField* field = Table.FindField(name);
        if (!field)
            return nullptr;
        return DisplayIndex < 0 ? &field->Value()
                                : &Table.DisplayValue(DisplayIndex, field->Index());
    }
    std::string Text(std::string_view name) const {
        return DisplayIndex < 0 ? Table.Field(name).AsText()
                                : Table.DisplayText(DisplayIndex, Table.Field(name).Index());
    }
};

std::string TextOf(const TRowValues& row, std::string_view name) {
    const TValue* value = row.Value(name);
    if (!value)
        return {};
    if (const auto* text = std::get_if<std::string>(value))
        return *text;
    // A column the file typed differently still reads as its text.
    return std::holds_alternative<std::monostate>(*value) ? std::string() : row.Text(name);
}

std::optional<std::int32_t> IntegerOf(const TRowValues& row, std::string_view name) {
    const TValue* value = row.Value(name);
    if (!value)
        return std::nullopt;
    if (const auto* number = std::get_if<std::int32_t>(value))
        return *number;
    if (const auto* text = std::get_if<std::string>(value)) {
        const std::string trimmed = TrimmedTeam(*text);
        std::int32_t result = 0;
        const auto [end, error] =
            std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), result);
        if (error == std::errc() && end == trimmed.data() + trimmed.size() && !trimmed.empty())
            return result;
    }
    return std::nullopt;
}

std::optional<TDaySerial> DateOf(const TRowValues& row, std::string_view name) {
    const TValue* value = row.Value(name);
    if (const auto* date = value ? std::get_if<TDateValue>(value) : nullptr)
        return date->Day;
    return std::nullopt;
}

TDivisionValues DivisionFromRow(const TRowValues& row) {
    TDivisionValues division;
    division.Ueberschrift = TextOf(row, "Ueberschrift");
    division.Klasse = TextOf(row, "Klasse");
    division.Jahr = IntegerOf(row, "Jahr");
    const TValue* ten = row.Value("10Klasse");
    const auto* flag = ten ? std::get_if<bool>(ten) : nullptr;
    division.TenTeams = flag && *flag;
    division.Mannschaft = TextOf(row, "Mannschaft");
    for (int s = 0; s < SlotCount; ++s)
        division.Teams[s] = TextOf(row, SlotFieldName(static_cast<TSlotName>(s)));
    for (int d = 0; d < SpieltagCount; ++d)
        division.Dates[d] = DateOf(row, SpieltagDateFieldName(static_cast<TSpieltagKey>(d)));
    return division;
}

} // namespace

TDivisionValues DivisionFromCurrentRow(TRecordTable& table) {
    const TTableState state = table.State();
    const bool hasRow =
        state == tsEdit || state == tsInsert || (table.Active() && !table.IsEmpty());
    if (!hasRow)
        throw TStaffelError("Es ist keine Staffel ausgewählt.");
    return DivisionFromRow({table, -1});
}

std::vector<TDivisionValues> AllDivisions(TRecordTable& table) {
    std::vector<TDivisionValues> divisions;
    if (!table.Active())
        return divisions;
    divisions.reserve(table.DisplayCount());
    for (int r = 0; r < table.DisplayCount(); ++r)
        divisions.push_back(DivisionFromRow({table, r}));
    return divisions;
}

const TFixtureLayout& LayoutOf(const TDivisionValues& division) {
    return LayoutFor(division.TenTeams);
}

std::vector<TSlotName> SlotsUsedBy(const TFixtureLayout& layout) {
    std::array<bool, SlotCount> used{};
    for (const TMatchDayPairings& day : layout.MatchDays)
        for (const auto* rows : {&day.FirstGame, &day.SecondGame})
            for (const auto& pairing : *rows)
                if (pairing) {
                    used[static_cast<int>(pairing->Home)] = true;
                    used[static_cast<int>(pairing->Away)] = true;
                }
    std::vector<TSlotName> slots;
    for (int s = 0; s < SlotCount; ++s)
        if (used[s])
            slots.push_back(static_cast<TSlotName>(s));
    return slots;
}

std::vector<TSpieltagKey> MatchDaysUsedBy(const TFixtureLayout& layout) {
    std::vector<TSpieltagKey> days;
    for (TSpieltagKey key : SpieltageInTimeOrder())
        if (std::any_of(layout.MatchDays.begin(), layout.MatchDays.end(),
                        [key](const TMatchDayPairings& day) { return day.Day == key; }))
            days.push_back(key);
    return days;
}

std::string TrimmedTeam(std::string_view name) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!name.empty() && blank(name.front()))
        name.remove_prefix(1);
    while (!name.empty() && blank(name.back()))
        name.remove_suffix(1);
    return std::string(name);
}

bool IsBye(std::string_view team) {
    const std::string trimmed = TrimmedTeam(team);
    return EqualsIgnoringCase(trimmed, "spielfrei");
}

bool IsByeSlot(const TDivisionValues& division, TSlotName slot) {
    return IsBye(division.Team(slot));
}

std::string TeamLabel(const TDivisionValues& division, TSlotName slot) {
    if (IsByeSlot(division, slot))
        return "spielfrei";
    const std::string team = TrimmedTeam(division.Team(slot));
    return team.empty() ? "Platz " + std::string(SlotFieldName(slot)) : team;
}

std::string TeamLabelUtf8(const TDivisionValues& division, TSlotName slot) {
    return Cp1252ToUtf8(TeamLabel(division, slot));
}

std::string DivisionTitleUtf8(std::string_view klasse, std::string_view jahr) {
    std::string title = Cp1252ToUtf8(TrimmedTeam(klasse));
    if (!jahr.empty()) {
        if (!title.empty())
            title += ' ';
        title += jahr;
    }
    return title;
}

std::string DivisionTitleUtf8(const TDivisionValues& division) {
    return DivisionTitleUtf8(division.Klasse,
                             division.Jahr ? std::to_string(*division.Jahr) : std::string());
}
