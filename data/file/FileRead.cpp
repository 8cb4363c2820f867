// Reading a whole file, and what a name leads to on disk.
#include "data/file/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

std::function<int(const std::string&)> ReadFaultHook;

std::string OpenFailure(const std::string& fileName, const std::string& reason) {
    return "Datei " + FullPath(fileName) + " kann nicht geöffnet werden. " + reason;
}

[[noreturn]] void FailOpen(const std::string& fileName, const std::string& reason) {
    throw TStaffelError(OpenFailure(fileName, reason));
}

[[noreturn]] void FailOpen(const std::string& fileName, int error) {
    throw TFileReadError(fileName, error);
}

const char* KindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return "ein Ordner";
    if (S_ISFIFO(mode))
        return "eine benannte Pipe (FIFO)";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "ein Gerät";
    if (S_ISSOCK(mode))
        return "ein Socket";
    return "von unbekannter Art";
}

// A FIFO or device would block the read, a folder cannot be read at all.
void RequireRegular(const std::string& fileName, mode_t mode) {
    if (!S_ISREG(mode))
        FailOpen(fileName,
                 std::string("Sie ist keine gewöhnliche Datei, sondern ") + KindOf(mode) + ".");
}

TFileFingerprint StateOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_size),
            st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec,
            static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino), 0};
}

} // namespace

TFileReadError::TFileReadError(const std::string& fileName, int error)
    : TStaffelError(OpenFailure(fileName, SystemReason(error))), Path(FullPath(fileName)),
      Error(error), Reason(SystemReason(error)) {}

bool TFileReadError::Missing() const {
    return Error == ENOENT;
}

TReadFaultScope::TReadFaultScope(std::function<int(const std::string&)> fault)
    : previous_(std::exchange(ReadFaultHook, std::move(fault))) {}

TReadFaultScope::~TReadFaultScope() {
    ReadFaultHook = std::move(previous_);
}

std::string SystemReason(int error) {
    char buffer[256];
    // The GNU form returns the text, in buffer or a constant.
    return ::strerror_r(error, buffer, sizeof buffer);
}

std::string FullPath(const std::string& fileName) {
    std::error_code ec;
    const auto path = std::filesystem::absolute(fileName, ec);
    return ec ? fileName : path.string();
}

std::optional<TFileFingerprint> FileStateOf(const std::string& fileName) {
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0)
        return std::nullopt;
    return StateOf(st);
}

TFileBytes ReadFileBytes(const std::string& fileName) {
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0)
        FailOpen(fileName, errno);
    RequireRegular(fileName, st.st_mode);
    if (const int fault = ReadFaultHook ? ReadFaultHook(fileName) : 0; fault != 0)
        FailOpen(fileName, fault);
    // Non-blocking in case the name was replaced by a FIFO since the check.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        FailOpen(fileName, errno);
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        FailOpen(fileName, error);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        RequireRegular(fileName, st.st_mode);
    }
    // One byte more than the size tells whether the file grew meanwhile.
    std::size_t capacity = st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 4096;
    TFileBytes bytes{std::unique_ptr<char[]>(new char[capacity]), 0, StateOf(st)};
    for (;;) {
        if (bytes.Size == capacity) {
            capacity *= 2;
            std::unique_ptr<char[]> larger(new char[capacity]);
            std::memcpy(larger.get(), bytes.Data.get(), bytes.Size);
            bytes.Data = std::move(larger);
        }
        const ssize_t n = ::read(fd, bytes.Data.get() + bytes.Size, capacity - bytes.Size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            FailOpen(fileName, error);
        }
        if (n == 0)
            break;
        bytes.Size += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.Fingerprint.Size = bytes.Size;
    bytes.Fingerprint.Hash = ContentHash(bytes.View());
    return bytes;
}

std::string ReadWholeFile(const std::string& fileName) {
    return std::string(ReadFileBytes(fileName).View());
}
