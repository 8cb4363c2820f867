#pragma once
// Whole-file writes that never leave a half-written or emptied file: the
// content goes to a temporary file in the same folder, is flushed to disk and
// then renamed over the target.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

enum class TAtomicStep { CreateTemp, WriteTemp, SyncTemp, Rename };

// Streams a file's new content into a temporary file beside it; Commit puts
// it in place. Not committed, the temporary file is removed and the old file
// stays as it was. Failures: "Datei "%s" kann nicht erstellt werden. %s"
// (full path, reason).
class TAtomicWriter {
public:
    explicit TAtomicWriter(std::string fileName);
    TAtomicWriter(const TAtomicWriter&) = delete;
    TAtomicWriter& operator=(const TAtomicWriter&) = delete;
    ~TAtomicWriter();

    // Buffered; large pieces go straight to the file.
    void Write(std::string_view bytes);
    void Commit();

private:
    void Flush();
    [[noreturn]] void Abandon(int error);

    std::string fileName_;
    std::string tempName_;
    int fd_ = -1;
    std::string buffer_;
};

void WriteFileAtomically(const std::string& fileName, std::string_view content);

// A file's bytes, read without first clearing the buffer.
struct TFileBytes {
    std::unique_ptr<char[]> Data;
    std::size_t Size = 0;
    std::string_view View() const { return {Data.get(), Size}; }
};

// Reads a whole file; fails with "Datei %s kann nicht geöffnet werden. %s".
TFileBytes ReadFileBytes(const std::string& fileName);
std::string ReadWholeFile(const std::string& fileName);

// Full path of a name as the messages show it.
std::string FullPath(const std::string& fileName);

// For tests: called before each step; returning an errno value other than 0
// makes that step fail with it.
extern std::function<int(TAtomicStep)> AtomicFileFaultHook;
