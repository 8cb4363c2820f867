#include "data/file/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

std::function<int(TAtomicStep)> FaultHook;

int InjectedFault(TAtomicStep step) {
    return FaultHook ? FaultHook(step) : 0;
}

[[noreturn]] void FailCreate(const std::string& fileName, int error) {
    throw TStaffelError("Datei \"" + FullPath(fileName) + "\" kann nicht erstellt werden. " +
                        SystemReason(error));
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

// The file a name stands for: a symbolic link is followed (also a dangling
// one, whose target the write creates), so the link itself stays.
std::string FollowLinks(const std::string& fileName) {
    std::filesystem::path path(fileName);
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path.string();
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
        if (n < 0)
            FailCreate(fileName, errno);
        const std::filesystem::path next(std::string(target, static_cast<std::size_t>(n)));
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    FailCreate(fileName, ELOOP);
}

// The umask is the process's: setting it, even only to read it, would let a
// file another thread creates meanwhile miss it. So it is read from /proc;
// only without /proc is it set once, on first use.
mode_t ProcessUmask() {
    if (const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC); fd >= 0) {
        char status[4096];
        const ssize_t n = ::read(fd, status, sizeof status - 1);
        ::close(fd);
        if (n > 0) {
            status[n] = '\0';
            if (const char* line = std::strstr(status, "\nUmask:"))
                return static_cast<mode_t>(std::strtoul(line + 7, nullptr, 8));
        }
    }
    static const mode_t once = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return mask;
    }();
    return once;
}

mode_t CreationMode() {
    return 0666 & ~ProcessUmask();
}

// 0 or the reason the folder's new entry may not be on disk. A folder we may
// not open, or a file system without folder sync, has nothing to report.
int SyncFolder(const std::filesystem::path& folder) {
    if (const int fault = InjectedFault(TAtomicStep::SyncFolder); fault != 0)
        return fault;
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES ? 0 : errno;
    int error = ::fsync(fd) == 0 ? 0 : errno;
    if (error == EINVAL || error == EOPNOTSUPP)
        error = 0;
    ::close(fd);
    return error;
}

constexpr std::size_t WriteBufferSize = 1 << 20;

} // namespace

TAtomicFaultScope::TAtomicFaultScope(std::function<int(TAtomicStep)> fault)
    : previous_(std::exchange(FaultHook, std::move(fault))) {}

TAtomicFaultScope::~TAtomicFaultScope() {
    FaultHook = std::move(previous_);
}

TAtomicWriter::TAtomicWriter(std::string fileName, std::string permissionsFrom)
    : fileName_(std::move(fileName)), permissionsFrom_(std::move(permissionsFrom)) {
    target_ = FollowLinks(fileName_);
    const std::filesystem::path target(target_);
    tempName_ =
        (target.parent_path() / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
    if (const int fault = InjectedFault(TAtomicStep::CreateTemp); fault != 0)
        FailCreate(fileName_, fault);
    fd_ = ::mkostemp(tempName_.data(), O_CLOEXEC); // O_EXCL: never someone else's file
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

void TAtomicWriter::Put(std::string_view bytes) {
    if (!WriteAll(fd_, bytes))
        Abandon(errno);
    hash_.Add(bytes);
    written_ += bytes.size();
}

void TAtomicWriter::Flush() {
    Put(buffer_);
    buffer_.clear();
}

// While the rest of a large file is still being made, the disk already
// takes what is written: the sync at the end has less left to wait for.
// Only a hint; what it cannot do, the sync does.
void TAtomicWriter::StartWriteBack() {
#ifdef __linux__
    ::sync_file_range(fd_, static_cast<off_t>(writeBackFrom_),
                      static_cast<off_t>(written_ - writeBackFrom_), SYNC_FILE_RANGE_WRITE);
    writeBackFrom_ = written_;
#endif
}

void TAtomicWriter::Write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() <= WriteBufferSize) {
        buffer_.append(bytes);
        return;
    }
    Flush();
    if (bytes.size() >= WriteBufferSize)
        Put(bytes);
    else
        buffer_.append(bytes);
    StartWriteBack();
}

// Owner and group first: changing them clears set-id bits of the mode. A
// user may not give a file away; the file is then theirs, with the mode kept.
void TAtomicWriter::TakePermissions() {
    const std::string& source = permissionsFrom_.empty() ? target_ : permissionsFrom_;
    struct stat old {};
    if (::stat(source.c_str(), &old) != 0) {
        if (::fchmod(fd_, CreationMode()) != 0)
            Abandon(errno);
        return;
    }
    struct stat temp {};
    if (::fstat(fd_, &temp) != 0)
        Abandon(errno);
    if (temp.st_uid != old.st_uid || temp.st_gid != old.st_gid) {
        if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
            if (errno != EPERM)
                Abandon(errno);
            // Still the group, where the user belongs to it.
            if (::fchown(fd_, static_cast<uid_t>(-1), old.st_gid) != 0 && errno != EPERM)
                Abandon(errno);
        }
    }
    if (::fchmod(fd_, old.st_mode & 07777) != 0)
        Abandon(errno);
}

TFileFingerprint TAtomicWriter::Commit() {
    if (const int fault = InjectedFault(TAtomicStep::WriteTemp); fault != 0)
        Abandon(fault);
    TakePermissions();
    Flush();
    if (const int fault = InjectedFault(TAtomicStep::SyncTemp); fault != 0)
        Abandon(fault);
    if (::fsync(fd_) != 0)
        Abandon(errno);
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        Abandon(errno);
    const TFileFingerprint written{static_cast<std::uint64_t>(st.st_size),
                                   st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec,
                                   static_cast<std::uint64_t>(st.st_dev),
                                   static_cast<std::uint64_t>(st.st_ino), hash_.Value()};
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(tempName_.c_str());
        FailCreate(fileName_, error);
    }
    const int fault = InjectedFault(TAtomicStep::Rename);
    if (fault != 0 || ::rename(tempName_.c_str(), target_.c_str()) != 0) {
        const int error = fault != 0 ? fault : errno;
        ::unlink(tempName_.c_str());
        FailCreate(fileName_, error);
    }
    if (const int error = SyncFolder(std::filesystem::path(target_).parent_path()); error != 0)
        throw TFolderSyncError("Die Datei \"" + FullPath(fileName_) +
                                   "\" wurde ersetzt, aber ihr Ordner konnte nicht auf den "
                                   "Datenträger geschrieben werden. " +
                                   SystemReason(error),
                               written);
    return written;
}

TFileFingerprint WriteFileAtomically(const std::string& fileName, std::string_view content,
                                     const std::string& permissionsFrom) {
    TAtomicWriter writer(fileName, permissionsFrom);
    writer.Write(content);
    return writer.Commit();
}
