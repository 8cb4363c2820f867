#pragma once
// One data file and its table: loading, keeping an unloadable file, saving
// only over what the program itself last read or wrote, and rescuing a table
// that cannot be saved. Another data file is one more instance.
#include "data/LocalTime.h"
#include "data/file/FileFingerprint.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class TFileReadError;
class TRecordTable;
struct TFileBytes;

// A data file on disk is no longer what the program loaded or last saved.
enum class TOutsideChangeAnswer { LoadTheirs, SaveOurs };
struct TOutsideChange {
    std::string FileName; // full path
};

// How a save meets a file changed from outside. Ask unset: keep theirs as a
// backup and save ours. Inform hears which files hold which version.
struct TSavePolicy {
    TLocalTime Now;
    std::function<TOutsideChangeAnswer(const TOutsideChange&)> Ask;
    std::function<void(const std::string&)> Inform;
};

class TDataFile {
public:
    // fileName is relative to the working folder at each load and save.
    TDataFile(std::string fileName, TRecordTable& table);
    TDataFile(const TDataFile&) = delete;
    TDataFile& operator=(const TDataFile&) = delete;

    const std::string& FileName() const { return fileName_; }
    TRecordTable& Table() { return table_; }
    // Whether name (the file name or its full path) is this file.
    bool Names(const std::string& name) const;
    // Whether a file name in the folder belongs to this one (its backups,
    // rescue and unsaved files share the name up to the extension).
    bool OwnsName(std::string_view name) const;

    // Loads the file's bytes, read before, into the table and remembers them.
    void Load(const TFileBytes& content);
    // The file's current version into the table; a version that cannot be
    // loaded leaves the table as it was.
    void Reload();

    // After a failed load of a file read whole (content) or of a name that
    // is no regular file (nothing): a file that is there and holds something
    // is kept under a dated backup name before a new one may replace it.
    // Returns the notice naming both, or nothing when there was nothing to keep.
    std::optional<std::string> KeepUnloadable(const std::string& reason,
                                              const std::optional<TFileBytes>& content,
                                              const TLocalTime& now);

    // The same in read-only mode, where nothing is kept or written.
    std::optional<std::string> UnloadableNotice(const std::string& reason);

    // A file that is there but cannot be read stays as it is: the notice
    // naming it and the reason.
    std::string UnreadableNotice(const TFileReadError& error);

    bool ChangedOnDisk();
    // Whether the table holds a change the file lacks (a failed save).
    bool Unsaved() const;
    // The table's content is now what the file holds (it took over content
    // written through another table).
    void MarkInFile();
    // Writes the table beside the file as its unsaved version and returns
    // that name.
    std::string KeepUnsaved(const TLocalTime& now);

    // Posts a pending edit of table, then writes it to the file. When the
    // file changed from outside, policy decides; returns false when the
    // other version was loaded instead of saving.
    bool Save(TRecordTable& table, const TSavePolicy& policy);

    // For a table that cannot be saved: writes it beside the file, or into
    // the home folder when that fails. Returns the line that says where, or
    // why nothing could be written.
    std::string Rescue(TRecordTable& table, const TLocalTime& now);

private:
    struct TDiskState;
    TDiskState Examine();
    // Returns the backup's name; a failed folder sync of the backup only
    // adds its message to syncWarning.
    std::string KeepAside(const std::optional<TFileBytes>& content, const TLocalTime& now,
                          std::string& syncWarning);
    // folder empty: beside the file.
    std::string DatedName(const std::string& folder, std::string_view kind,
                          const TLocalTime& now) const;

    std::string fileName_;
    TRecordTable& table_;
    std::optional<TFileFingerprint> known_; // nothing: no file known to be there
    std::uint64_t changesInFile_ = 0;       // the table's ChangeCount when last in step
};
