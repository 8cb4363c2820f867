#include "data/Store.h"

#include "data/Records.h"
#include "data/StaffelError.h"
#include "data/file/AtomicFile.h"
#include "data/file/Cp1252.h"
#include "data/file/XmlReadError.h"
#include "data/table/TableContent.h"

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

} // namespace

TStore::TStore(TRegionalSettings settings, std::function<TLocalTime()> clock)
    : clock_(std::move(clock)), staffel_("t_staffel", settings),
      spieltage_("t_spieltage", settings), kopie_("table_kopie", settings),
      vereine_("t_vereine", settings), begegnungen_("t_begegnungen", settings) {
    staffel_.OnNewRecord = t_staffelNewRecord;
    vereine_.OnNewRecord = t_vereineNewRecord;
    DefineFields(kopie_, KopieRecordFields());
    kopie_.SetFixedFieldList(true);
}

void TStore::FormCreate() {
    if (!readOnly_)
        RemoveStaleTempFiles(".", [this](std::string_view name) {
            for (TDataFile* file : DataFiles())
                if (file->OwnsName(name))
                    return true;
            return false;
        });
    LoadOrCreate(staffelFile_, &TStore::CreateStaffelTable);
    LoadOrCreate(spieltageFile_, &TStore::CreateSpieltageTable);
    LoadOrCreate(vereineFile_, &TStore::CreateVereineTable);
    LoadOrCreate(begegnungenFile_, &TStore::CreateBegegnungenTable);
}

void TStore::LoadOrCreate(TDataFile& file, void (TStore::*create)()) {
    try {
        file.Load();
        return;
    } catch (const TStaffelError& error) {
        // The reader's own message, and where in the file it found the fault.
        std::string reason = error.what();
        if (const auto* fault = dynamic_cast<const TDataFileError*>(&error)) {
            const TTextPosition& where = fault->Where();
            reason += " In Zeile " + std::to_string(where.Line) + ", Spalte " +
                      std::to_string(where.Column) +
                      (where.Found.empty() ? " endet die Datei"
                                           : " steht „" + Cp1252ToUtf8(where.Found) + "“");
        }
        std::optional<std::string> notice;
        if (readOnly_)
            notice = file.UnloadableNotice(reason);
        else
            notice = file.KeepUnloadable(reason, clock_());
        if (notice) {
            if (!startupNotice_.empty())
                startupNotice_ += "\n\n";
            startupNotice_ += *notice;
        }
    }
    (this->*create)();
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
    SaveCreated(staffelFile_);
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
    SaveCreated(spieltageFile_);
}

void TStore::CreateVereineTable() {
    vereine_.Close();
    vereine_.ClearDefinitions();
    DefineFields(vereine_, VereineRecordFields());
    vereine_.CreateEmpty();
    vereine_.DefineIndex("", "Verein", true);
    vereine_.Close();
    vereine_.Open();
    // Only an unloadable file kept aside is replaced; a missing one stays missing.
    if (FileStateOf(vereineFile_.FileName()))
        SaveCreated(vereineFile_);
}

void TStore::CreateBegegnungenTable() {
    begegnungen_.Close();
    begegnungen_.ClearDefinitions();
    DefineFields(begegnungen_, BegegnungenRecordFields());
    begegnungen_.CreateEmpty();
    begegnungen_.DefineIndex("", "Jahr;Klasse;Heim;Gast", true);
    begegnungen_.Close();
    begegnungen_.Open();
    if (FileStateOf(begegnungenFile_.FileName()))
        SaveCreated(begegnungenFile_);
}

namespace {

[[noreturn]] void FailReadOnly(const TDataFile& file) {
    throw TStaffelError("Die Daten sind schreibgeschützt geöffnet; \"" + FullPath(file.FileName()) +
                        "\" wird nicht gespeichert.");
}

} // namespace

void TStore::SaveCreated(TDataFile& file) {
    if (!readOnly_)
        Save(file, file.Table());
}

bool TStore::Save(TDataFile& file, TRecordTable& table) {
    if (readOnly_)
        FailReadOnly(file);
    if (NothingToSave(file))
        return true;
    const bool saved = file.Save(table, {clock_(), OnOutsideChange, OnInform});
    TellSaved(file);
    return saved;
}

bool TStore::NothingToSave(TDataFile& file) {
    if ((&file != &vereineFile_ && &file != &begegnungenFile_) || FileStateOf(file.FileName()))
        return false;
    TRecordTable& table = file.Table();
    if (!table.Active())
        return true;
    const bool inserting = table.State() == tsInsert;
    const int stored = table.DisplayCount() - (inserting ? 1 : 0);
    return stored == 0 && !(inserting && table.Modified());
}

void TStore::TellSaved(const TDataFile& file) {
    // A listener may add or drop listeners.
    const auto listeners = AfterSave;
    for (const auto& listener : listeners)
        if (listener)
            listener(file.FileName());
}

void TStore::SaveStaffel() {
    Save(staffelFile_, staffel_);
}

void TStore::SaveSpieltage() {
    Save(spieltageFile_, spieltage_);
}

void TStore::SaveVereine() {
    Save(vereineFile_, vereine_);
}

void TStore::SaveBegegnungen() {
    Save(begegnungenFile_, begegnungen_);
}

TDataFile* TStore::FindDataFile(const std::string& fileName) {
    for (TDataFile* file : DataFiles())
        if (file->Names(fileName))
            return file;
    return nullptr;
}

std::vector<std::string> TStore::DataFileNames() const {
    return {staffelFile_.FileName(), spieltageFile_.FileName(), vereineFile_.FileName(),
            begegnungenFile_.FileName()};
}

bool TStore::ChangedOnDisk(const std::string& fileName) {
    TDataFile* file = FindDataFile(fileName);
    return file && file->ChangedOnDisk();
}

void TStore::Reload(const std::string& fileName) {
    if (TDataFile* file = FindDataFile(fileName)) {
        file->Reload();
        TellSaved(*file);
    }
}

// The copy goes into table_kopie as a save and a load of the division file
// would give it, and the division table takes that content over once it is
// in the file: one save, no reload.
void TStore::CopyStaffel() {
    if (readOnly_)
        FailReadOnly(staffelFile_);
    // Whether a division is left once the pending edit is ended: an untouched
    // new row is dropped. Without one there is nothing to copy, but the save
    // point stays.
    const bool hasDivision =
        staffel_.Active() &&
        (!staffel_.IsEmpty() || (staffel_.State() == tsInsert && staffel_.Modified()));
    if (!hasDivision) {
        Save(staffelFile_, staffel_);
        return;
    }
    staffel_.FinishEdit();
    kopie_.OpenOnContent(staffel_.ContentAsSaved());
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
    // A file changed from outside may have been loaded instead: that version
    // is what the user now sees.
    if (Save(staffelFile_, kopie_))
        staffel_.OpenOnContent(kopie_.ContentAsSaved());
    TellSaved(staffelFile_);
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
    SaveStaffel();
    inform("Spieltage wurden übernommen");
    return true;
}

void TStore::FormDestroy() {
    std::string messages;
    for (const std::string& message : SaveAllAtEnd(false)) {
        if (!messages.empty())
            messages += "\n\n";
        messages += message;
    }
    if (!messages.empty())
        throw TStaffelError(messages);
}

std::vector<std::string> TStore::FormDestroyForced() {
    return SaveAllAtEnd(true);
}

// The program ends whatever happens, so a pending row that cannot be posted
// must not cost the table's other changes since the last save: that row is
// dropped and the rest is saved, or rescued when even that fails.
std::vector<std::string> TStore::SaveAllAtEnd(bool forced) {
    rescueNeeded_ = false;
    std::vector<std::string> messages;
    if (readOnly_)
        return messages;
    const TSavePolicy policy{
        clock_(), forced ? nullptr : OnOutsideChange,
        forced ? std::function<void(const std::string&)>(
                     [&messages](const std::string& text) { messages.push_back(text); })
               : OnInform};
    for (TDataFile* file : DataFiles()) {
        TRecordTable& table = file->Table();
        if (NothingToSave(*file))
            continue;
        try {
            file->Save(table, policy);
            continue;
        } catch (const TFolderSyncError& error) {
            messages.push_back(error.what()); // the content is in place: nothing to rescue
            continue;
        } catch (const TStaffelError& error) {
            messages.push_back(error.what());
        }
        if (table.State() == tsEdit || table.State() == tsInsert) {
            table.Cancel();
            try {
                file->Save(table, policy);
                messages.push_back("Die nicht speicherbare Eingabe wurde verworfen; alle anderen "
                                   "Änderungen wurden in \"" +
                                   FullPath(file->FileName()) + "\" gespeichert.");
                continue;
            } catch (const TStaffelError& error) {
                messages.push_back(error.what());
            }
        }
        messages.push_back(file->Rescue(table, policy.Now));
        rescueNeeded_ = true;
    }
    return messages;
}
