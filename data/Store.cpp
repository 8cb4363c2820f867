#include "data/Store.h"

#include "data/Records.h"
#include "data/StaffelError.h"
#include "data/file/AtomicFile.h"

#include <array>
#include <ctime>
#include <filesystem>
#include <utility>

namespace {

struct TDefaultDate {
    TSpieltagKey Key;
    int Year;
    unsigned Month;
    unsigned Day;
};

// The calendar of a first start, in the order its dates are set.
constexpr std::array<TDefaultDate, SpieltagCount> DefaultCalendar = {{
    {TSpieltagKey::k1, 2009, 9, 26},
    {TSpieltagKey::k2, 2009, 10, 10},
    {TSpieltagKey::k3, 2009, 10, 31},
    {TSpieltagKey::k4, 2009, 11, 21},
    {TSpieltagKey::k4A, 2009, 12, 19},
    {TSpieltagKey::k5, 2010, 1, 23},
    {TSpieltagKey::k6, 2010, 1, 30},
    {TSpieltagKey::k7, 2010, 2, 20},
    {TSpieltagKey::k8, 2010, 3, 6},
    {TSpieltagKey::k8A, 2010, 3, 20},
}};

constexpr std::array<std::string_view, 12> CopiedTexts = {
    "Mannschaft", "Ueberschrift", "1A", "1B", "2A", "2B", "3A", "3B", "4A", "4B", "5A", "5B"};

constexpr std::array<TSpieltagKey, SpieltagCount> DatesInRecordOrder = {
    TSpieltagKey::k1, TSpieltagKey::k2, TSpieltagKey::k3, TSpieltagKey::k4,  TSpieltagKey::k5,
    TSpieltagKey::k6, TSpieltagKey::k7, TSpieltagKey::k8, TSpieltagKey::k4A, TSpieltagKey::k8A};

void AppendTwoDigits(std::string& out, int value) {
    out += static_cast<char>('0' + value / 10 % 10);
    out += static_cast<char>('0' + value % 10);
}

std::string BackupName(const std::string& fileName, const TLocalTime& now) {
    std::string stamp;
    stamp += std::to_string(now.Year);
    AppendTwoDigits(stamp, static_cast<int>(now.Month));
    AppendTwoDigits(stamp, static_cast<int>(now.Day));
    stamp += '-';
    AppendTwoDigits(stamp, now.Hour);
    AppendTwoDigits(stamp, now.Minute);
    AppendTwoDigits(stamp, now.Second);
    std::string name = fileName + "." + stamp + ".bak";
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(name, ec)); ++n)
        name = fileName + "." + stamp + "-" + std::to_string(n) + ".bak";
    return name;
}

} // namespace

TLocalTime LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900,
            static_cast<unsigned>(local.tm_mon + 1),
            static_cast<unsigned>(local.tm_mday),
            local.tm_hour,
            local.tm_min,
            local.tm_sec};
}

std::string FormatTime(std::string_view format, int hour, int minute, int second) {
    const bool twelveHours = format.find("AM/PM") != std::string_view::npos ||
                             format.find("am/pm") != std::string_view::npos;
    std::string out;
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        std::size_t run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        int value = -1;
        if (c == 'h' || c == 'H')
            value = twelveHours ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
        else if (c == 'm' || c == 'n' || c == 'M' || c == 'N')
            value = minute;
        else if (c == 's' || c == 'S')
            value = second;
        if (value >= 0) {
            if (run >= 2)
                AppendTwoDigits(out, value);
            else
                out += std::to_string(value);
            i += run;
        } else if (format.substr(i, 5) == "AM/PM") {
            out += hour < 12 ? "AM" : "PM";
            i += 5;
        } else if (format.substr(i, 5) == "am/pm") {
            out += hour < 12 ? "am" : "pm";
            i += 5;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

TStore::TStore(TRegionalSettings settings, std::function<TLocalTime()> clock)
    : clock_(std::move(clock)), staffel_("t_staffel", settings),
      spieltage_("t_spieltage", settings), kopie_("table_kopie", settings) {
    staffel_.OnNewRecord = t_staffelNewRecord;
    DefineFields(kopie_, KopieRecordFields());
    kopie_.SetFixedFieldList(true);
}

void TStore::FormCreate() {
    try {
        staffel_.Load(StaffelFileName);
    } catch (const TStaffelError& error) {
        KeepUnloadableFile(StaffelFileName, error.what());
        CreateStaffelTable();
    }
    try {
        spieltage_.Load(SpieltageFileName);
    } catch (const TStaffelError& error) {
        KeepUnloadableFile(SpieltageFileName, error.what());
        CreateSpieltageTable();
    }
}

// A file that is there but unreadable is copied aside before the new table
// replaces it; a missing or empty one holds nothing to lose.
void TStore::KeepUnloadableFile(const std::string& fileName, const std::string& reason) {
    std::error_code ec;
    const auto status = std::filesystem::status(fileName, ec);
    if (ec || !std::filesystem::is_regular_file(status))
        return;
    if (std::filesystem::file_size(fileName, ec) == 0 || ec)
        return;
    const std::string backup = BackupName(fileName, clock_());
    WriteFileAtomically(backup, ReadWholeFile(fileName));
    if (!startupNotice_.empty())
        startupNotice_ += "\n\n";
    startupNotice_ += "Die Datei \"" + FullPath(fileName) + "\" konnte nicht geladen werden (" +
                      reason + "). Sie wurde unverändert als \"" + FullPath(backup) +
                      "\" aufbewahrt; an ihrer Stelle wurde eine neue Datei angelegt.";
}

std::optional<std::string> TStore::TakeStartupNotice() {
    if (startupNotice_.empty())
        return std::nullopt;
    return std::exchange(startupNotice_, std::string());
}

void TStore::CreateStaffelTable() {
    staffel_.Close();
    staffel_.ClearDefinitions();
    DefineFields(staffel_, StaffelRecordFields());
    staffel_.CreateEmpty();
    staffel_.DefineIndex("", "Jahr;Klasse", true);
    staffel_.Close();
    staffel_.Open();
    staffel_.Save(StaffelFileName);
}

// The default dates are day values, so any regional setting can take them.
void TStore::CreateSpieltageTable() {
    spieltage_.Close();
    spieltage_.ClearDefinitions();
    DefineFields(spieltage_, SpieltageRecordFields());
    spieltage_.CreateEmpty();
    spieltage_.DefineIndex("", "Jahr", true);
    spieltage_.Close();
    spieltage_.Open();
    spieltage_.Append();
    spieltage_.Field("jahr").SetAsInteger(2009);
    for (const TDefaultDate& date : DefaultCalendar) {
        const auto day = DayFromCivil(date.Year, date.Month, date.Day);
        spieltage_.Field(SpieltagDateFieldName(date.Key)).SetAsDateTime(*day);
    }
    spieltage_.Post();
    spieltage_.Save(SpieltageFileName);
}

void TStore::SaveStaffel() {
    if (!readOnly_)
        staffel_.Save(StaffelFileName);
}

void TStore::SaveSpieltage() {
    if (!readOnly_)
        spieltage_.Save(SpieltageFileName);
}

std::vector<std::string> TStore::DataFileNames() const {
    return {StaffelFileName, SpieltageFileName};
}

bool TStore::ChangedOnDisk(const std::string&) {
    return false;
}

void TStore::Reload(const std::string& fileName) {
    if (FullPath(fileName) == FullPath(StaffelFileName))
        staffel_.Load(StaffelFileName);
    else if (FullPath(fileName) == FullPath(SpieltageFileName))
        spieltage_.Load(SpieltageFileName);
}

std::vector<std::string> TStore::FormDestroyForced() {
    rescueNeeded_ = false;
    if (readOnly_)
        return {};
    try {
        FormDestroy();
    } catch (const TStaffelError& error) {
        rescueNeeded_ = true;
        return {error.what()};
    }
    return {};
}

void TStore::CopyStaffel() {
    staffel_.Save(StaffelFileName);
    // Without a division there is nothing to copy.
    if (!staffel_.Active() || staffel_.IsEmpty())
        return;
    kopie_.Load(StaffelFileName);
    TRecordTable& source = staffel_;
    kopie_.Append();
    kopie_.Field("id").SetAsInteger(99);
    const TLocalTime now = clock_();
    kopie_.Field("Klasse").SetAsText(
        source.Field("Klasse").AsText() + "-" +
        FormatTime(source.Settings().LongTimeFormat, now.Hour, now.Minute, now.Second));
    kopie_.Field("Jahr").SetAsInteger(source.Field("Jahr").AsInteger());
    kopie_.Field("10Klasse").SetAsBoolean(source.Field("10Klasse").AsBoolean());
    for (std::string_view name : CopiedTexts)
        kopie_.Field(name).SetAsText(source.Field(name).AsText());
    // An empty date stays empty rather than becoming 30.12.1899.
    for (TSpieltagKey key : DatesInRecordOrder) {
        const std::string name = SpieltagDateFieldName(key);
        const TField& from = source.Field(name);
        if (!from.IsNull())
            kopie_.Field(name).SetAsDateTime(from.AsDateTime());
    }
    kopie_.Post();
    kopie_.Save(StaffelFileName);
    staffel_.Load(StaffelFileName);
}

bool TStore::AssignSpieltage(const std::function<bool()>& chooseCalendar,
                             const std::function<bool(const std::string&)>& confirm,
                             const std::function<void(const std::string&)>& inform) {
    if (!spieltage_.Active() || spieltage_.IsEmpty()) {
        inform("Es ist kein Spieltagskalender vorhanden; es wurden keine Spieltage übernommen.");
        return false;
    }
    if (!chooseCalendar())
        return false;
    if (!confirm("Sollen die Spieltage übernommen werden?"))
        return false;
    staffel_.Edit();
    for (TSpieltagKey key : DatesInRecordOrder) {
        const std::string name = SpieltagDateFieldName(key);
        const TField& from = spieltage_.Field(name);
        TField& to = staffel_.Field(name);
        if (from.IsNull())
            to.Clear();
        else
            to.SetAsDateTime(from.AsDateTime());
    }
    staffel_.Post();
    inform("Spieltage wurden übernommen");
    return true;
}

void TStore::FormDestroy() {
    if (readOnly_)
        return;
    std::string messages;
    auto report = [&messages](const std::string& message) {
        if (!messages.empty())
            messages += "\n\n";
        messages += message;
    };
    // The program ends whatever happens, so a pending row that cannot be
    // posted must not cost the table's other changes since the last save:
    // that row is dropped and the rest is saved.
    auto attempt = [&report](TRecordTable& table, const char* fileName) {
        try {
            table.Save(fileName);
            return;
        } catch (const TStaffelError& error) {
            report(error.what());
        }
        if (table.State() != tsEdit && table.State() != tsInsert)
            return;
        try {
            table.Cancel();
            table.Save(fileName);
            report("Die nicht speicherbare Eingabe wurde verworfen; alle anderen Änderungen "
                   "wurden gespeichert.");
        } catch (const TStaffelError& error) {
            report(error.what());
        }
    };
    attempt(staffel_, StaffelFileName);
    attempt(spieltage_, SpieltageFileName);
    if (!messages.empty())
        throw TStaffelError(messages);
}
