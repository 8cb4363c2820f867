#pragma once
// One writer per data folder: a QLockFile in the folder, held while the
// program runs. A lock left by a crashed copy on this computer is taken over
// without asking (Qt checks the recorded process); a running copy's lock
// never goes stale with age, since the program keeps it for hours.
#include <QDateTime>
#include <QLockFile>
#include <QString>

inline constexpr const char* DataFolderLockName = ".staffelplan.lock";

enum TFolderLockOutcome {
    flLocked,      // this copy writes the folder
    flHeldByOther, // another running copy does: Holder() says who
    flNotWritable  // nothing can be written there: Reason() says why
};

struct TLockHolder {
    QString User;    // the lock file's owner
    QString Host;    // the computer the holding copy runs on
    QDateTime Since; // when it took the lock (the lock file's time)
    qint64 Pid = 0;
};

class TDataFolderLock {
public:
    explicit TDataFolderLock(const QString& folder);
    TDataFolderLock(const TDataFolderLock&) = delete;
    TDataFolderLock& operator=(const TDataFolderLock&) = delete;

    TFolderLockOutcome TryLock();
    const TLockHolder& Holder() const { return holder_; }
    // The system's reason text.
    const QString& Reason() const { return reason_; }
    QString Folder() const { return folder_; }
    QString LockFileName() const;

private:
    QString folder_;
    QLockFile lock_;
    TLockHolder holder_;
    QString reason_;
};
