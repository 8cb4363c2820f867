#pragma once
// The program's three tables and what happens to them at start, at the save
// points, when a division is copied or a calendar assigned, and at the end.
// No window code: questions and notices reach the caller through callbacks.
#include "data/table/RecordTable.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct TLocalTime {
    int Year = 2000;
    unsigned Month = 1;
    unsigned Day = 1;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

TLocalTime LocalNow();
// Time of day in a long time format ("hh:mm:ss"; h, m/n, s, AM/PM).
std::string FormatTime(std::string_view format, int hour, int minute, int second);

inline constexpr const char* StaffelFileName = "Ligatafel.xml";
inline constexpr const char* SpieltageFileName = "Spieltage.xml";

// A data file on disk is no longer what the program loaded or last saved.
enum class TOutsideChangeAnswer { LoadTheirs, SaveOurs };
struct TOutsideChange {
    std::string FileName; // full path
};

class TStore {
public:
    explicit TStore(TRegionalSettings settings = TRegionalSettings::German(),
                    std::function<TLocalTime()> clock = LocalNow);

    TRecordTable& t_staffel() { return staffel_; }
    TRecordTable& t_spieltage() { return spieltage_; }
    TRecordTable& table_kopie() { return kopie_; }

    // Loads both files, creating a table whose file cannot be loaded. A file
    // that exists but cannot be loaded is first kept under a backup name.
    void FormCreate();
    void CreateStaffelTable();
    void CreateSpieltageTable();
    // The German notice naming files kept at start, once.
    std::optional<std::string> TakeStartupNotice();

    void SaveStaffel();
    void SaveSpieltage();

    // Appends a copy of the current division to the file and reloads it.
    void CopyStaffel();

    // Copies the chosen calendar's dates into the current division. The
    // chooser returns whether it was closed with OK; confirm asks a question.
    // Returns whether the dates were taken over.
    bool AssignSpieltage(const std::function<bool()>& chooseCalendar,
                         const std::function<bool(const std::string&)>& confirm,
                         const std::function<void(const std::string&)>& inform);

    // Saves both tables; fails afterwards with every save's message.
    void FormDestroy();
    // The end nobody watches (signal, session end, lost display): asks
    // nothing, keeps a file changed from outside as a backup, writes a table
    // it cannot save to a rescue file. Returns the lines for standard error.
    std::vector<std::string> FormDestroyForced();
    // Whether the last forced end had to write a rescue file.
    bool RescueNeeded() const { return rescueNeeded_; }

    // Read-only: nothing is ever written, a missing file becomes a table in
    // memory only.
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool ReadOnly() const { return readOnly_; }

    // The data files as the store names them (relative to the working folder).
    std::vector<std::string> DataFileNames() const;
    // Whether the file (a data file name or its full path) differs from what
    // was loaded or last saved.
    bool ChangedOnDisk(const std::string& fileName);
    // Loads the file's current version into its table.
    void Reload(const std::string& fileName);

    // Asked before a save overwrites a file changed from outside; unset: SaveOurs.
    std::function<TOutsideChangeAnswer(const TOutsideChange&)> OnOutsideChange;
    // Told the names of the files kept when both versions were kept.
    std::function<void(const std::string&)> OnInform;

private:
    void KeepUnloadableFile(const std::string& fileName, const std::string& reason);

    std::function<TLocalTime()> clock_;
    TRecordTable staffel_;
    TRecordTable spieltage_;
    TRecordTable kopie_;
    std::string startupNotice_;
    bool readOnly_ = false;
    bool rescueNeeded_ = false;
};
