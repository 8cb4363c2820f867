// One writer per data folder: the lock, what the second copy is told, a
// crashed copy's lock, and a folder that refuses writing.
#include "app/DataFolderAccess.h"
#include "app/DataFolderLock.h"
#include "tests/ui/FakeMessageBoxes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

bool Contains(const std::string& text, const QString& part) {
    return text.find(part.toStdString()) != std::string::npos;
}

TEST(DataFolderLock, SecondCopyLearnsWhoHoldsTheFolder) {
    QTemporaryDir dir;
    TDataFolderLock first(dir.path());
    ASSERT_EQ(first.TryLock(), flLocked);
    EXPECT_TRUE(QFileInfo::exists(first.LockFileName()));

    TDataFolderLock second(dir.path());
    ASSERT_EQ(second.TryLock(), flHeldByOther);
    const TLockHolder& holder = second.Holder();
    EXPECT_EQ(holder.Pid, QCoreApplication::applicationPid());
    EXPECT_EQ(holder.Host, QSysInfo::machineHostName());
    EXPECT_EQ(holder.User, QFileInfo(first.LockFileName()).owner());
    EXPECT_FALSE(holder.User.isEmpty());
    EXPECT_LE(std::abs(holder.Since.secsTo(QDateTime::currentDateTime())), 60);
}

TEST(DataFolderLock, LockOfAnEndedCopyIsTakenOverWithoutAsking) {
    QTemporaryDir dir;
    // A process that has ended leaves its pid free; its lock is stale.
    QProcess ended;
    ended.start("true");
    ASSERT_TRUE(ended.waitForFinished());
    const qint64 deadPid = ended.processId();
    QFile stale(QDir(dir.path()).filePath(DataFolderLockName));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray::number(deadPid > 0 ? deadPid : 999999) + "\nStaffelplan\n" +
                QSysInfo::machineHostName().toUtf8() + "\n" + QSysInfo::machineUniqueId() + "\n" +
                QSysInfo::bootUniqueId() + "\n");
    stale.close();

    TDataFolderLock lock(dir.path());
    EXPECT_EQ(lock.TryLock(), flLocked);
}

TEST(DataFolderLock, FolderThatRefusesWritingSaysWhy) {
    for (const char* folder : {"/proc/self", "/nonexistent-staffelplan-folder"}) {
        TDataFolderLock lock(QString::fromLatin1(folder));
        EXPECT_EQ(lock.TryLock(), flNotWritable) << folder;
        EXPECT_FALSE(lock.Reason().isEmpty()) << folder;
        EXPECT_TRUE(Contains(NotWritableNotice(lock), lock.Folder())) << folder;
        EXPECT_TRUE(Contains(NotWritableNotice(lock), lock.Reason())) << folder;
    }
}

TEST(DataFolderLock, QuestionNamesUserComputerAndTimeAndHelpsOnlyForAnotherComputer) {
    QTemporaryDir dir;
    TDataFolderLock first(dir.path());
    ASSERT_EQ(first.TryLock(), flLocked);
    TDataFolderLock second(dir.path());
    ASSERT_EQ(second.TryLock(), flHeldByOther);
    const TLockHolder& holder = second.Holder();
    struct {
        QString OwnHost;
        bool WantLockFileHint;
    } cases[] = {{QSysInfo::machineHostName(), false}, {"anderer-rechner", true}};
    for (const auto& c : cases) {
        const std::string text = LockHeldQuestion(second, c.OwnHost);
        EXPECT_TRUE(Contains(text, "Benutzer: " + holder.User)) << text;
        EXPECT_TRUE(Contains(text, "Rechner: " + holder.Host)) << text;
        EXPECT_TRUE(Contains(text, "Seit: " + holder.Since.toString("dd.MM.yyyy, hh:mm"))) << text;
        EXPECT_TRUE(Contains(text, second.Folder())) << text;
        EXPECT_EQ(Contains(text, second.LockFileName()), c.WantLockFileHint) << text;
    }
}

TEST(DataFolderAccess, EachOutcomeAndAnswer) {
    QTemporaryDir dir;
    struct {
        const char* Name;
        bool HeldByOther;
        const char* Folder;
        TConfirmAnswer Answer;
        TFolderAccess Want;
        std::vector<TShownBox::TKind> WantBoxes;
    } cases[] = {
        {"free folder", false, nullptr, caAccept, faWrite, {}},
        {"held, open read-only", true, nullptr, caAccept, faReadOnly, {TShownBox::Question}},
        {"held, end", true, nullptr, caDecline, faQuit, {TShownBox::Question}},
        {"held, box closed", true, nullptr, caClosed, faQuit, {TShownBox::Question}},
        {"not writable", false, "/proc/self", caAccept, faReadOnly, {TShownBox::Notice}},
    };
    for (const auto& c : cases) {
        std::optional<TDataFolderLock> holder;
        if (c.HeldByOther) {
            holder.emplace(dir.path());
            ASSERT_EQ(holder->TryLock(), flLocked) << c.Name;
        }
        TFakeMessageBoxes boxes;
        if (c.HeldByOther)
            boxes.Answer(c.Answer);
        TDataFolderLock lock(c.Folder ? QString::fromLatin1(c.Folder) : dir.path());
        EXPECT_EQ(OpenDataFolder(lock, boxes), c.Want) << c.Name;
        std::vector<TShownBox::TKind> kinds;
        for (const TShownBox& box : boxes.Shown)
            kinds.push_back(box.Kind);
        EXPECT_EQ(kinds, c.WantBoxes) << c.Name;
        if (c.HeldByOther) {
            ASSERT_FALSE(boxes.Shown.empty()) << c.Name;
            EXPECT_EQ(boxes.Shown[0].First, OpenReadOnlyAnswer) << c.Name;
            EXPECT_EQ(boxes.Shown[0].Second, QuitAnswer) << c.Name;
        }
    }
}

} // namespace
