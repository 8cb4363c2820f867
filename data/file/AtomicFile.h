#pragma once
// Whole-file writes that never leave a half-written or emptied file: the
// content goes to a temporary file in the target's folder, is flushed to disk
// and then renamed over the target. The file keeps its mode, owner and group;
// a symbolic link stays and its target is replaced. Reading never blocks on a
// name that is not a regular file.
#include "data/StaffelError.h"
#include "data/file/ContentHash.h"
#include "data/file/FileFingerprint.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum class TAtomicStep { CreateTemp, WriteTemp, SyncTemp, Rename, SyncFolder };

// Streams a file's new content into a temporary file beside it; Commit puts
// it in place. Not committed, the temporary file is removed and the old file
// stays as it was. Failures: "Datei "%s" kann nicht erstellt werden. %s"
// (full path, reason).
class TAtomicWriter {
public:
    // permissionsFrom: a file whose mode, owner and group the new file takes
    // (a backup of it); empty: those of the file being replaced.
    explicit TAtomicWriter(std::string fileName, std::string permissionsFrom = {});
    TAtomicWriter(const TAtomicWriter&) = delete;
    TAtomicWriter& operator=(const TAtomicWriter&) = delete;
    ~TAtomicWriter();

    // Buffered; large pieces go straight to the file.
    void Write(std::string_view bytes);
    // What is now on disk under the name (for telling later changes).
    TFileFingerprint Commit();

private:
    void Put(std::string_view bytes);
    void Flush();
    void StartWriteBack();
    void TakePermissions();
    [[noreturn]] void Abandon(int error);

    std::string fileName_;
    std::string target_; // fileName_ with its links followed
    std::string permissionsFrom_;
    std::string tempName_;
    int fd_ = -1;
    std::string buffer_;
    TContentHash hash_;
    std::size_t written_ = 0;       // bytes in the file
    std::size_t writeBackFrom_ = 0; // where the disk has not been asked yet
};

// The new content is in place, but the folder's entry may not have reached
// the disk; Written is what is there now.
class TFolderSyncError : public TStaffelError {
public:
    TFolderSyncError(const std::string& message, const TFileFingerprint& written)
        : TStaffelError(message), Written(written) {}
    TFileFingerprint Written;
};

TFileFingerprint WriteFileAtomically(const std::string& fileName, std::string_view content,
                                     const std::string& permissionsFrom = {});

// Removes what killed saves left in a folder: ".NAME.tmp-XXXXXX" with the
// six characters mkostemp chose, regular files only, where ours(NAME) holds.
// Returns the full paths removed.
std::vector<std::string> RemoveStaleTempFiles(const std::string& folder,
                                              const std::function<bool(std::string_view)>& ours);

// A file's bytes, read without first clearing the buffer, and what was read.
struct TFileBytes {
    std::unique_ptr<char[]> Data;
    std::size_t Size = 0;
    TFileFingerprint Fingerprint;
    std::string_view View() const { return {Data.get(), Size}; }
};

// A name that could not be opened or read: missing, or there but refused
// (permission, I/O error, a stale network handle). Nothing about the file's
// content is known, so nothing may take its place.
class TFileReadError : public TStaffelError {
public:
    TFileReadError(const std::string& fileName, int error);
    std::string Path;   // full
    int Error;          // errno
    std::string Reason; // the system's text for it
    bool Missing() const;
};

// Reads a whole regular file; fails with "Datei %s kann nicht geöffnet
// werden. %s": a TFileReadError when the system refuses, a plain
// TStaffelError at once for a FIFO, device or folder of that name.
TFileBytes ReadFileBytes(const std::string& fileName);
std::string ReadWholeFile(const std::string& fileName);

// Full path of a name as the messages show it.
std::string FullPath(const std::string& fileName);

// The system's text for an errno value; safe on any thread.
std::string SystemReason(int error);

// For tests: while it lives, fault(step) runs before each step of every
// atomic write; an errno value other than 0 makes that step fail with it.
class TAtomicFaultScope {
public:
    explicit TAtomicFaultScope(std::function<int(TAtomicStep)> fault);
    ~TAtomicFaultScope();
    TAtomicFaultScope(const TAtomicFaultScope&) = delete;
    TAtomicFaultScope& operator=(const TAtomicFaultScope&) = delete;

private:
    std::function<int(TAtomicStep)> previous_;
};

// For tests: while it lives, fault(fileName) runs before ReadFileBytes opens
// a file; an errno value other than 0 makes the open fail with it.
class TReadFaultScope {
public:
    explicit TReadFaultScope(std::function<int(const std::string&)> fault);
    ~TReadFaultScope();
    TReadFaultScope(const TReadFaultScope&) = delete;
    TReadFaultScope& operator=(const TReadFaultScope&) = delete;

private:
    std::function<int(const std::string&)> previous_;
};
