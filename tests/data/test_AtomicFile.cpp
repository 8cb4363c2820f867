#include "data/file/AtomicFile.h"
#include "data/file/ContentHash.h"
#include "test_FileSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

struct stat StatOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}

// Owners that are not the test's own, so that keeping them shows.
constexpr uid_t OtherUser = 4321;
constexpr gid_t OtherGroup = 8765;

// The process's umask as the kernel reports it, or nothing without /proc.
std::optional<mode_t> UmaskFromProc() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("Umask:"))
            return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    return std::nullopt;
}

} // namespace

TEST(AtomicFile, ReplacedFileKeepsModeOwnerAndGroup) {
    const bool root = ::geteuid() == 0;
    const struct {
        mode_t Mode;
        bool OtherOwner;
    } cases[] = {{0600, false}, {0640, true}, {0444, false}, {02750, true}};
    for (const auto& c : cases) {
        TScratchFolder folder;
        const std::string file = folder.File("Ligatafel.xml");
        WriteBytes(file, "old");
        if (c.OtherOwner && root) // before the mode: a change of owner clears set-id bits
            ASSERT_EQ(::chown(file.c_str(), OtherUser, OtherGroup), 0);
        ASSERT_EQ(::chmod(file.c_str(), c.Mode), 0);
        const struct stat before = StatOf(file);
        WriteFileAtomically(file, "new");
        const struct stat after = StatOf(file);
        EXPECT_EQ(ReadBytes(file), "new") << std::oct << c.Mode;
        EXPECT_EQ(after.st_mode & 07777, c.Mode) << std::oct << c.Mode;
        EXPECT_EQ(after.st_uid, before.st_uid) << std::oct << c.Mode;
        EXPECT_EQ(after.st_gid, before.st_gid) << std::oct << c.Mode;
        EXPECT_NE(after.st_ino, before.st_ino) << "not replaced by a rename";

        // A copy made from it takes the same, also when it is new.
        const std::string backup = folder.File("Ligatafel.xml.bak");
        WriteFileAtomically(backup, "old", file);
        EXPECT_EQ(StatOf(backup).st_mode & 07777, c.Mode) << std::oct << c.Mode;
        EXPECT_EQ(StatOf(backup).st_uid, before.st_uid) << std::oct << c.Mode;
        EXPECT_EQ(FolderEntries(folder.Path()),
                  (std::vector<std::string>{"Ligatafel.xml", "Ligatafel.xml.bak"}));
    }
}

TEST(AtomicFile, NewFileGetsWhatTheUmaskAllows) {
    TScratchFolder folder;
    const mode_t former = ::umask(027);
    WriteFileAtomically(folder.File("new.xml"), "x");
    ::umask(former);
    EXPECT_EQ(StatOf(folder.File("new.xml")).st_mode & 07777, 0640u);
}

// The umask is process-wide: a writer thread that changed it even for a
// moment would let another thread's new file be created without it. A
// watcher reads it all the while (from /proc, which leaves it alone); writes
// abandoned before their sync come between the files to make the moments many.
TEST(AtomicFile, WritersOnManyThreadsLeaveTheUmaskAlone) {
    TScratchFolder folder;
    const mode_t former = ::umask(022); // no other thread runs yet
    constexpr int Threads = 8;
    constexpr int FilesEach = 20;
    constexpr int AbandonedEach = 100;
    static thread_local bool abandon = false;
    TAtomicFaultScope fault(
        [](TAtomicStep step) { return step == TAtomicStep::SyncTemp && abandon ? EIO : 0; });
    std::atomic<bool> writing{true};
    std::atomic<int> otherMasksSeen{0};
    std::thread watcher([&] {
        while (writing)
            if (const auto mask = UmaskFromProc(); mask && *mask != 022)
                ++otherMasksSeen;
    });
    std::vector<std::thread> writers;
    for (int t = 0; t < Threads; ++t)
        writers.emplace_back([&folder, t] {
            for (int i = 0; i < FilesEach; ++i) {
                const std::string name = std::to_string(t) + "-" + std::to_string(i);
                abandon = true;
                for (int a = 0; a < AbandonedEach; ++a)
                    EXPECT_THROW(WriteFileAtomically(folder.File(name), "x"), TStaffelError);
                abandon = false;
                WriteFileAtomically(folder.File(name), "x");
            }
        });
    for (std::thread& writer : writers)
        writer.join();
    writing = false;
    watcher.join();
    EXPECT_EQ(::umask(former), 022);
    EXPECT_EQ(otherMasksSeen, 0);
    const std::vector<std::string> names = FolderEntries(folder.Path());
    EXPECT_EQ(names.size(), std::size_t{Threads * FilesEach});
    for (const std::string& name : names)
        EXPECT_EQ(StatOf(folder.File(name)).st_mode & 07777, 0644u) << name;
}

TEST(AtomicFile, SymbolicLinkIsWrittenThrough) {
    const struct {
        const char* Link;   // as the link holds it
        const char* Target; // below the scratch folder
        bool TargetExists;
    } cases[] = {
        {"../elsewhere/real.xml", "elsewhere/real.xml", true},
        {"ABSOLUTE", "elsewhere/real.xml", true},
        {"hop.xml", "data/real.xml", true}, // a link to a link beside it
        {"../elsewhere/real.xml", "elsewhere/real.xml", false},
    };
    for (const auto& c : cases) {
        TScratchFolder folder;
        std::filesystem::create_directories(folder.Path() / "data");
        std::filesystem::create_directories(folder.Path() / "elsewhere");
        const std::string target = folder.File(c.Target);
        if (c.TargetExists) {
            WriteBytes(target, "old");
            ::chmod(target.c_str(), 0600);
        }
        const std::string link = folder.File("data/Ligatafel.xml");
        if (std::string(c.Link) == "hop.xml") {
            std::filesystem::create_symlink("real.xml", folder.Path() / "data/hop.xml");
            std::filesystem::create_symlink("hop.xml", link);
        } else {
            std::filesystem::create_symlink(std::string(c.Link) == "ABSOLUTE" ? target : c.Link,
                                            link);
        }
        WriteFileAtomically(link, "new");
        EXPECT_TRUE(std::filesystem::is_symlink(link)) << c.Link;
        EXPECT_EQ(ReadBytes(target), "new") << c.Link;
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(target)))
            << c.Link;
        if (c.TargetExists)
            EXPECT_EQ(StatOf(target).st_mode & 07777, 0600u) << c.Link;
        // No temporary file left in either folder.
        for (const char* sub : {"data", "elsewhere"})
            for (const std::string& name : FolderEntries(folder.Path() / sub))
                EXPECT_EQ(name.find(".tmp-"), std::string::npos) << c.Link << ": " << name;
    }
}

TEST(AtomicFile, FailedFolderSyncFailsTheSaveWithTheContentInPlace) {
    TScratchFolder folder;
    const std::string file = folder.File("Ligatafel.xml");
    WriteBytes(file, "old");
    TAtomicFaultScope fault(
        [](TAtomicStep step) { return step == TAtomicStep::SyncFolder ? EIO : 0; });
    try {
        WriteFileAtomically(file, "new");
        ADD_FAILURE() << "no error";
    } catch (const TFolderSyncError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Die Datei \"" + file +
                      "\" wurde ersetzt, aber ihr Ordner konnte nicht auf den Datenträger "
                      "geschrieben werden. " +
                      std::strerror(EIO));
        EXPECT_EQ(error.Written.Size, 3u);
        EXPECT_EQ(error.Written.Hash, ContentHash("new"));
    }
    EXPECT_EQ(ReadBytes(file), "new");
}

TEST(AtomicFile, FaultScopeEndsWithItsScope) {
    TScratchFolder folder;
    {
        TAtomicFaultScope fault([](TAtomicStep) { return EIO; });
        EXPECT_THROW(WriteFileAtomically(folder.File("a"), "x"), TStaffelError);
    }
    EXPECT_NO_THROW(WriteFileAtomically(folder.File("a"), "x"));
}

TEST(AtomicFile, CommitReportsWhatIsOnDisk) {
    TScratchFolder folder;
    const std::string file = folder.File("a.xml");
    TAtomicWriter writer(file);
    writer.Write("<DATA");
    writer.Write("PACKET/>");
    const TFileFingerprint written = writer.Commit();
    const TFileBytes read = ReadFileBytes(file);
    EXPECT_TRUE(SameFileState(written, read.Fingerprint));
    EXPECT_EQ(written.Hash, read.Fingerprint.Hash);
    EXPECT_EQ(written.Hash, ContentHash("<DATAPACKET/>"));
}

TEST(StaleTempFiles, OnlyTheProgramsOwnPatternIsRemoved) {
    TScratchFolder folder;
    const std::vector<std::string> stale = {".Ligatafel.xml.tmp-AbC123",
                                            ".Spieltage.xml.tmp-zzzzzz",
                                            ".Ligatafel.xml.20261209-140509.bak.tmp-Q1w2E3"};
    const std::vector<std::string> kept = {
        ".Ligatafel.xml.tmp-AbC12",   // five characters
        ".Ligatafel.xml.tmp-AbC1234", // seven
        ".Ligatafel.xml.tmp-Ab_123",  // not mkostemp's alphabet
        "Ligatafel.xml.tmp-AbC123",   // no leading point
        ".Notizen.txt.tmp-AbC123",    // not a file of ours
        ".tmp-AbC123",                // no name
        "Ligatafel.xml",
    };
    for (const auto& name : stale)
        WriteBytes(folder.File(name), "stale");
    for (const auto& name : kept)
        WriteBytes(folder.File(name), "mine");
    std::filesystem::create_directory(folder.Path() / ".Spieltage.xml.tmp-Dir123");
    std::filesystem::create_symlink("Ligatafel.xml", folder.Path() / ".Ligatafel.xml.tmp-Lnk123");

    const auto removed = RemoveStaleTempFiles(folder.Path().string(), [](std::string_view name) {
        return name.starts_with("Ligatafel.") || name.starts_with("Spieltage.");
    });
    EXPECT_EQ(removed.size(), stale.size());
    for (const auto& name : stale)
        EXPECT_FALSE(std::filesystem::exists(folder.File(name))) << name;
    for (const auto& name : kept)
        EXPECT_EQ(ReadBytes(folder.File(name)), "mine") << name;
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / ".Spieltage.xml.tmp-Dir123"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path() / ".Ligatafel.xml.tmp-Lnk123"));
}

TEST(ContentHash, DependsOnTheBytesNotOnThePieces) {
    std::string content;
    for (int i = 0; i < 1000; ++i)
        content += static_cast<char>(i * 7 + i / 13);
    const std::uint64_t whole = ContentHash(content);
    for (const std::size_t piece : {1u, 3u, 31u, 32u, 33u, 100u, 999u}) {
        TContentHash hash;
        for (std::size_t at = 0; at < content.size(); at += piece)
            hash.Add(std::string_view(content).substr(at, piece));
        EXPECT_EQ(hash.Value(), whole) << "pieces of " << piece;
    }
    // Any one changed bit, and any length, gives another value.
    for (const std::size_t at : {0u, 31u, 32u, 500u, 999u}) {
        std::string changed = content;
        changed[at] ^= 1;
        EXPECT_NE(ContentHash(changed), whole) << "bit at " << at;
    }
    EXPECT_NE(ContentHash(content.substr(0, 999)), whole);
    EXPECT_NE(ContentHash(""), ContentHash(std::string(1, '\0')));
    EXPECT_NE(ContentHash(std::string(32, '\0')), ContentHash(std::string(64, '\0')));
}
