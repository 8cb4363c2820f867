#pragma once
// The program's three tables and what happens to them at start, at the save
// points, when a division is copied or a calendar assigned, and at the end.
// No window code: questions and notices reach the caller through callbacks.
#include "data/DataFile.h"
#include "data/LocalTime.h"
#include "data/table/RecordTable.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* StaffelFileName = "Ligatafel.xml";
inline constexpr const char* SpieltageFileName = "Spieltage.xml";
// Written only once the first club is added; without it every club has the defaults.
inline constexpr const char* VereineFileName = "Vereine.xml";
// The season's tie records; written only once the first record is saved.
inline constexpr const char* BegegnungenFileName = "Begegnungen.xml";

class TStore {
public:
    explicit TStore(TRegionalSettings settings = TRegionalSettings::German(),
                    std::function<TLocalTime()> clock = LocalNow);

    TRecordTable& t_staffel() { return staffel_; }
    TRecordTable& t_spieltage() { return spieltage_; }
    TRecordTable& table_kopie() { return kopie_; }
    TRecordTable& t_vereine() { return vereine_; }
    TRecordTable& t_begegnungen() { return begegnungen_; }

    // Removes what killed saves left in the data folder, then loads both
    // files, creating a table whose file cannot be loaded. A file that exists
    // but cannot be loaded is first kept under a backup name.
    void FormCreate();
    void CreateStaffelTable();
    void CreateSpieltageTable();
    // Empty; written only where an unloadable club file has to be replaced.
    void CreateVereineTable();
    // The same for the tie file.
    void CreateBegegnungenTable();
    // The German notice naming files kept at start, once.
    std::optional<std::string> TakeStartupNotice();

    // The save points. A file changed from outside is never overwritten
    // unseen: OnOutsideChange decides, both versions stay on disk and
    // OnInform hears their names. Fail in read-only mode.
    void SaveStaffel();
    void SaveSpieltage();
    void SaveVereine();
    void SaveBegegnungen();

    // Told the data file's name after its table was written, or loaded anew
    // from the file (an outside change taken over, a copied division).
    std::vector<std::function<void(const std::string& fileName)>> AfterSave;

    // Appends a copy of the current division and saves the division file.
    void CopyStaffel();

    // Copies the chosen calendar's dates into the current division and saves
    // it. The chooser returns whether it was closed with OK; confirm asks a
    // question. Returns whether the dates were taken over.
    bool AssignSpieltage(const std::function<bool()>& chooseCalendar,
                         const std::function<bool(const std::string&)>& confirm,
                         const std::function<void(const std::string&)>& inform);

    // Saves both tables; a pending row that cannot be posted is dropped and
    // the rest saved, a table that cannot be saved is written to a rescue
    // file. Fails afterwards with every message.
    void FormDestroy();
    // The end nobody watches (signal, session end, lost display): the same,
    // but asks nothing (a file changed from outside is kept as a backup) and
    // returns the messages as lines for standard error.
    std::vector<std::string> FormDestroyForced();
    // Whether the last end had to write a rescue file.
    bool RescueNeeded() const { return rescueNeeded_; }

    // Read-only: nothing is ever written, not at the end and not at start (a
    // missing or unloadable file becomes a table in memory only).
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool ReadOnly() const { return readOnly_; }

    // The data files as the store names them (relative to the working folder).
    std::vector<std::string> DataFileNames() const;
    // Whether the file (a data file name or its full path) differs from what
    // was loaded or last saved.
    bool ChangedOnDisk(const std::string& fileName);
    // Loads the file's current version into its table; a version that cannot
    // be loaded fails and leaves the table as it was.
    void Reload(const std::string& fileName);

    // Asked before a save overwrites a file changed from outside; unset: SaveOurs.
    std::function<TOutsideChangeAnswer(const TOutsideChange&)> OnOutsideChange;
    // Told the names of the files kept when both versions were kept.
    std::function<void(const std::string&)> OnInform;

private:
    std::array<TDataFile*, 4> DataFiles() {
        return {&staffelFile_, &spieltageFile_, &vereineFile_, &begegnungenFile_};
    }
    void TellSaved(const TDataFile& file);
    // A club or tie table nobody has filled has no file to be written to.
    bool NothingToSave(TDataFile& file);
    TDataFile* FindDataFile(const std::string& fileName);
    void LoadOrCreate(TDataFile& file, void (TStore::*create)());
    // The one way a table reaches its file; false when the other version was
    // loaded instead.
    bool Save(TDataFile& file, TRecordTable& table);
    // A table created at start: written unless read-only.
    void SaveCreated(TDataFile& file);
    std::vector<std::string> SaveAllAtEnd(bool forced);

    std::function<TLocalTime()> clock_;
    TRecordTable staffel_;
    TRecordTable spieltage_;
    TRecordTable kopie_;
    TRecordTable vereine_;
    TRecordTable begegnungen_;
    TDataFile staffelFile_{StaffelFileName, staffel_};
    TDataFile spieltageFile_{SpieltageFileName, spieltage_};
    TDataFile vereineFile_{VereineFileName, vereine_};
    TDataFile begegnungenFile_{BegegnungenFileName, begegnungen_};
    std::string startupNotice_;
    bool readOnly_ = false;
    bool rescueNeeded_ = false;
};
