#include "data/DataFile.h"

#include "data/StaffelError.h"
#include "data/file/AtomicFile.h"
#include "data/file/XmlReader.h"
#include "data/file/XmlWriter.h"
#include "data/table/RecordTable.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <vector>

namespace {

// base + suffix, or base-2 + suffix and so on where that name is taken.
std::string UniqueName(const std::string& base, const std::string& suffix) {
    std::string name = base + suffix;
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(name, ec)); ++n)
        name = base + "-" + std::to_string(n) + suffix;
    return name;
}

std::string Quoted(const std::string& fileName) {
    return "\"" + FullPath(fileName) + "\"";
}

TFileFingerprint WriteTable(const TRecordTable& table, const std::string& fileName,
                            const std::string& permissionsFrom) {
    TAtomicWriter writer(fileName, permissionsFrom);
    WriteDataFile(table, writer);
    return writer.Commit();
}

// Why content cannot be loaded into a table like this one, or empty: a
// failed load would leave the table itself closed.
std::string TrialLoadError(const TRecordTable& table, std::string_view content) {
    TRecordTable trial(table.Name(), table.Settings());
    try {
        LoadTableFromContent(trial, content);
    } catch (const TStaffelError& error) {
        return error.what();
    }
    return {};
}

} // namespace

struct TDataFile::TDiskState {
    bool Changed = false;
    std::optional<TFileBytes> Content; // of a changed file that could be read
};

TDataFile::TDataFile(std::string fileName, TRecordTable& table)
    : fileName_(std::move(fileName)), table_(table) {}

bool TDataFile::Names(const std::string& name) const {
    return name == fileName_ || FullPath(name) == FullPath(fileName_);
}

bool TDataFile::OwnsName(std::string_view name) const {
    const std::string stem = std::filesystem::path(fileName_).stem().string() + ".";
    return name.substr(0, stem.size()) == stem;
}

void TDataFile::Load(const TFileBytes& content) {
    LoadTableFromContent(table_, content.View());
    known_ = content.Fingerprint;
    MarkInFile();
}

void TDataFile::Reload() {
    const TFileBytes content = ReadFileBytes(fileName_);
    if (const std::string error = TrialLoadError(table_, content.View()); !error.empty())
        throw TStaffelError(error);
    LoadTableFromContent(table_, content.View());
    known_ = content.Fingerprint;
    MarkInFile();
}

bool TDataFile::Unsaved() const {
    return table_.Active() && table_.ChangeCount() != changesInFile_;
}

void TDataFile::MarkInFile() {
    changesInFile_ = table_.ChangeCount();
}

std::string TDataFile::KeepUnsaved(const TLocalTime& now) {
    const std::string ours = DatedName({}, ".ungespeichert-", now);
    WriteTable(table_, ours, fileName_);
    return ours;
}

std::string TDataFile::DatedName(const std::string& folder, std::string_view kind,
                                 const TLocalTime& now) const {
    const std::filesystem::path name(fileName_);
    const std::filesystem::path base = folder.empty()
                                           ? std::filesystem::path(name).replace_extension()
                                           : std::filesystem::path(folder) / name.stem();
    return UniqueName(base.string() + std::string(kind) + FileTimeStamp(now), ".xml");
}

// A readable file is copied, so the data file stays in place until the new
// one replaces it; anything else (unreadable, FIFO, device, folder) is
// renamed, never following a link to somewhere outside the folder. A copy
// whose folder sync failed is in place all the same: what follows (our
// version written) must not be skipped for it.
std::string TDataFile::KeepAside(const std::optional<TFileBytes>& content, const TLocalTime& now,
                                 std::string& syncWarning) {
    const std::string backup = UniqueName(fileName_ + "." + FileTimeStamp(now), ".bak");
    if (content) {
        try {
            WriteFileAtomically(backup, content->View(), fileName_);
        } catch (const TFolderSyncError& error) {
            syncWarning = std::string(" ") + error.what();
        }
        known_ = content->Fingerprint;
    } else {
        std::error_code ec;
        std::filesystem::rename(fileName_, backup, ec);
        if (ec)
            throw TStaffelError("Datei " + Quoted(fileName_) + " kann nicht in " + Quoted(backup) +
                                " umbenannt werden. " + ec.message());
        known_.reset();
    }
    return backup;
}

std::optional<std::string> TDataFile::KeepUnloadable(const std::string& reason,
                                                     const std::optional<TFileBytes>& content,
                                                     const TLocalTime& now) {
    known_.reset();
    // Missing, also behind a dangling link (which the new file then fills):
    // nothing to keep.
    struct stat st {};
    if (::lstat(fileName_.c_str(), &st) != 0 ||
        (::stat(fileName_.c_str(), &st) != 0 && errno == ENOENT))
        return std::nullopt;
    if (content && content->Size == 0) {
        known_ = content->Fingerprint; // holds nothing to lose
        return std::nullopt;
    }
    std::string syncWarning;
    const std::string backup = KeepAside(content, now, syncWarning);
    return "Die Datei " + Quoted(fileName_) + " konnte nicht geladen werden (" + reason + "). " +
           (content ? "Sie wurde unverändert als " + Quoted(backup) + " aufbewahrt"
                    : "Sie wurde in " + Quoted(backup) + " umbenannt") +
           "; an ihrer Stelle wurde eine neue Datei angelegt." + syncWarning;
}

std::optional<std::string> TDataFile::UnloadableNotice(const std::string& reason) {
    known_ = FileStateOf(fileName_); // a later repair counts as a change
    struct stat st {};
    if (::lstat(fileName_.c_str(), &st) != 0 || (S_ISREG(st.st_mode) && st.st_size == 0))
        return std::nullopt;
    return "Die Datei " + Quoted(fileName_) + " konnte nicht geladen werden (" + reason +
           "). Da die Daten schreibgeschützt geöffnet sind, bleibt sie unverändert; ihre "
           "Tabelle ist neu angelegt und wird nicht gespeichert.";
}

std::string TDataFile::UnreadableNotice(const TFileReadError& error) {
    known_ = FileStateOf(fileName_);
    return "Die Datei \"" + error.Path + "\" kann nicht gelesen werden (" + error.Reason +
           "). Sie bleibt unverändert; ihre Tabelle bleibt leer.";
}

// Size, time and identity first; only when they differ are the bytes read,
// so a sync tool rewriting the same content is no change.
TDataFile::TDiskState TDataFile::Examine() {
    const std::optional<TFileFingerprint> state = FileStateOf(fileName_);
    if (!state)
        return {}; // gone: nothing on disk to lose
    if (known_ && SameFileState(*state, *known_))
        return {};
    TDiskState disk{true, std::nullopt};
    try {
        disk.Content = ReadFileBytes(fileName_);
    } catch (const TStaffelError&) {
        return disk;
    }
    if (known_ && disk.Content->Fingerprint.Size == known_->Size &&
        disk.Content->Fingerprint.Hash == known_->Hash) {
        known_ = disk.Content->Fingerprint;
        return {};
    }
    return disk;
}

bool TDataFile::ChangedOnDisk() {
    return Examine().Changed;
}

bool TDataFile::Save(TRecordTable& table, const TSavePolicy& policy) {
    if (!table.Active())
        return true;
    table.FinishEdit();
    TDiskState disk = Examine();
    std::string kept;
    std::string theirsUnloadable;
    std::string syncWarning; // a side file's folder sync failed
    if (disk.Changed) {
        const TOutsideChangeAnswer answer = policy.Ask && disk.Content
                                                ? policy.Ask({FullPath(fileName_)})
                                                : TOutsideChangeAnswer::SaveOurs;
        if (answer == TOutsideChangeAnswer::LoadTheirs)
            theirsUnloadable = TrialLoadError(table_, disk.Content->View());
        if (answer == TOutsideChangeAnswer::LoadTheirs && theirsUnloadable.empty()) {
            const std::string ours = DatedName({}, ".ungespeichert-", policy.Now);
            try {
                WriteTable(table, ours, fileName_);
            } catch (const TFolderSyncError& error) {
                syncWarning = std::string(" ") + error.what(); // ours is there all the same
            }
            LoadTableFromContent(table_, disk.Content->View());
            known_ = disk.Content->Fingerprint;
            MarkInFile();
            if (policy.Inform)
                policy.Inform("Die Datei " + Quoted(fileName_) +
                              " wurde außerhalb des Programms geändert. Diese Fassung wurde "
                              "geladen; die ungespeicherte Fassung des Programms steht in " +
                              Quoted(ours) + "." + syncWarning);
            return false;
        }
        kept = KeepAside(disk.Content, policy.Now, syncWarning);
    }
    // Told also when ours then fails: the other version is kept all the same.
    auto tellKept = [&](const char* ending) {
        if (kept.empty() || !policy.Inform)
            return;
        policy.Inform(
            "Die Datei " + Quoted(fileName_) + " wurde außerhalb des Programms geändert" +
            (theirsUnloadable.empty()
                 ? std::string()
                 : ", und diese Fassung kann nicht geladen werden (" + theirsUnloadable + ")") +
            ". Sie wurde als " + Quoted(kept) + " aufbewahrt" + ending + syncWarning);
    };
    const bool ownTable = &table == &table_;
    try {
        known_ = WriteTable(table, fileName_, {});
    } catch (const TFolderSyncError& error) {
        known_ = error.Written;
        if (ownTable)
            MarkInFile();
        tellKept(".");
        throw;
    } catch (const TStaffelError&) {
        tellKept(".");
        throw;
    }
    if (ownTable)
        MarkInFile();
    tellKept("; gespeichert wurde die Fassung des Programms.");
    return true;
}

std::string TDataFile::Rescue(TRecordTable& table, const TLocalTime& now) {
    std::string reasons;
    std::vector<std::string> folders{std::string()}; // beside the file first
    if (const char* home = std::getenv("HOME"); home && *home)
        folders.emplace_back(home);
    for (const std::string& folder : folders) {
        const std::string rescue = DatedName(folder, ".rettung-", now);
        try {
            WriteTable(table, rescue, fileName_);
        } catch (const TFolderSyncError&) {
            // in place all the same
        } catch (const TStaffelError& error) {
            reasons += std::string(" ") + error.what();
            continue;
        }
        return "Die Daten für " + Quoted(fileName_) + " wurden in " + Quoted(rescue) + " gerettet.";
    }
    return "Die Daten für " + Quoted(fileName_) + " konnten nirgends gerettet werden." + reasons;
}
