#include "app/DataFolderLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <unistd.h>

TDataFolderLock::TDataFolderLock(const QString& folder)
    : folder_(QDir(folder).absolutePath()),
      lock_(QDir(folder_).filePath(QString::fromLatin1(DataFolderLockName))) {
    lock_.setStaleLockTime(0);
}

QString TDataFolderLock::LockFileName() const {
    return QDir(folder_).filePath(QString::fromLatin1(DataFolderLockName));
}

TFolderLockOutcome TDataFolderLock::TryLock() {
    if (::access(QFile::encodeName(folder_).constData(), W_OK) != 0) {
        reason_ = QString::fromLocal8Bit(std::strerror(errno));
        return flNotWritable;
    }
    if (lock_.tryLock(0))
        return flLocked;
    if (lock_.error() != QLockFile::LockFailedError) {
        reason_ = lock_.error() == QLockFile::PermissionError
                      ? QString::fromLocal8Bit(std::strerror(EACCES))
                      : QStringLiteral("Die Sperrdatei \"%1\" kann nicht angelegt werden.")
                            .arg(LockFileName());
        return flNotWritable;
    }
    QString application;
    lock_.getLockInfo(&holder_.Pid, &holder_.Host, &application);
    const QFileInfo info(LockFileName());
    holder_.User = info.owner();
    holder_.Since = info.lastModified();
    return flHeldByOther;
}
