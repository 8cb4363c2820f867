#include "data/file/AtomicFile.h"

#include "data/StaffelError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

std::function<int(TAtomicStep)> AtomicFileFaultHook;

namespace {

int InjectedFault(TAtomicStep step) {
    return AtomicFileFaultHook ? AtomicFileFaultHook(step) : 0;
}

[[noreturn]] void FailCreate(const std::string& fileName, int error) {
    throw TStaffelError("Datei \"" + FullPath(fileName) + "\" kann nicht erstellt werden. " +
                        std::strerror(error));
}

[[noreturn]] void FailOpen(const std::string& fileName, int error) {
    throw TStaffelError("Datei " + FullPath(fileName) + " kann nicht geöffnet werden. " +
                        std::strerror(error));
}

bool WriteAll(int fd, std::string_view content) {
    const char* p = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// The new file keeps the permissions of the one it replaces; a new file gets
// what the umask allows, as a plain create would.
mode_t TargetMode(const std::string& fileName) {
    struct stat st {};
    if (::stat(fileName.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void SyncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return; // the content is already in place; a folder we cannot open is no reason to fail
    ::fsync(fd);
    ::close(fd);
}

} // namespace

std::string FullPath(const std::string& fileName) {
    std::error_code ec;
    const auto path = std::filesystem::absolute(fileName, ec);
    return ec ? fileName : path.string();
}

namespace {
constexpr std::size_t WriteBufferSize = 1 << 20;
}

TAtomicWriter::TAtomicWriter(std::string fileName) : fileName_(std::move(fileName)) {
    const std::filesystem::path target(fileName_);
    tempName_ = (target.parent_path() / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
    if (const int fault = InjectedFault(TAtomicStep::CreateTemp); fault != 0)
        FailCreate(fileName_, fault);
    fd_ = ::mkostemp(tempName_.data(), O_CLOEXEC);
    if (fd_ < 0)
        FailCreate(fileName_, errno);
    buffer_.reserve(WriteBufferSize);
}

TAtomicWriter::~TAtomicWriter() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(tempName_.c_str());
    }
}

void TAtomicWriter::Abandon(int error) {
    ::close(fd_);
    fd_ = -1;
    ::unlink(tempName_.c_str());
    FailCreate(fileName_, error);
}

void TAtomicWriter::Flush() {
    if (!WriteAll(fd_, buffer_))
        Abandon(errno);
    buffer_.clear();
}

void TAtomicWriter::Write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() <= WriteBufferSize) {
        buffer_.append(bytes);
        return;
    }
    Flush();
    if (bytes.size() >= WriteBufferSize) {
        if (!WriteAll(fd_, bytes))
            Abandon(errno);
    } else {
        buffer_.append(bytes);
    }
}

void TAtomicWriter::Commit() {
    if (const int fault = InjectedFault(TAtomicStep::WriteTemp); fault != 0)
        Abandon(fault);
    if (::fchmod(fd_, TargetMode(fileName_)) != 0)
        Abandon(errno);
    Flush();
    if (const int fault = InjectedFault(TAtomicStep::SyncTemp); fault != 0)
        Abandon(fault);
    if (::fsync(fd_) != 0)
        Abandon(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(tempName_.c_str());
        FailCreate(fileName_, error);
    }
    const int fault = InjectedFault(TAtomicStep::Rename);
    if (fault != 0 || ::rename(tempName_.c_str(), fileName_.c_str()) != 0) {
        const int error = fault != 0 ? fault : errno;
        ::unlink(tempName_.c_str());
        FailCreate(fileName_, error);
    }
    SyncFolder(std::filesystem::path(fileName_).parent_path());
}

void WriteFileAtomically(const std::string& fileName, std::string_view content) {
    TAtomicWriter writer(fileName);
    writer.Write(content);
    writer.Commit();
}

TFileBytes ReadFileBytes(const std::string& fileName) {
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        FailOpen(fileName, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        FailOpen(fileName, error);
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        FailOpen(fileName, EISDIR);
    }
    // One byte more than the size tells whether the file grew meanwhile.
    std::size_t capacity = st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 4096;
    TFileBytes bytes{std::unique_ptr<char[]>(new char[capacity]), 0};
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
    return bytes;
}

std::string ReadWholeFile(const std::string& fileName) {
    return std::string(ReadFileBytes(fileName).View());
}
