#include "ui/windows/OutsideChangeWatch.h"

#include "data/file/AtomicFile.h"
#include "ui/ErrorGuard.h"
#include "ui/MessageBoxes.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

std::string OutsideChangeQuestion(const std::string& fullPath) {
    return "Die Datei \"" + fullPath +
           "\" wurde seit dem letzten Laden oder Speichern außerhalb von Staffelplan geändert "
           "(von einem anderen Programm, einem anderen Rechner oder einem Sync-Dienst).\n\n\"" +
           LoadTheirsAnswer +
           "\": die geänderte Datei wird geladen; Ihre ungespeicherten Änderungen werden vorher "
           "in eine eigene, datierte Datei daneben geschrieben.\n\"" +
           SaveOursAnswer +
           "\": Ihre Fassung wird gespeichert; die andere wird vorher als datierte Sicherung "
           "daneben aufbewahrt.\n\nIn beiden Fällen bleiben beide Fassungen erhalten.";
}

std::string ReloadQuestion(const std::string& fullPath, const std::string& kept) {
    return "Die Datei \"" + fullPath +
           "\" wurde außerhalb von Staffelplan geändert (von einem anderen Programm, einem "
           "anderen Rechner oder einem Sync-Dienst).\n\nSoll sie jetzt neu geladen werden? "
           "Wenn nicht, fragt Staffelplan vor dem nächsten Speichern, welche Fassung gelten soll." +
           (kept.empty() ? std::string()
                         : "\n\nIhre Änderungen, die noch nicht in dieser Datei stehen, wurden "
                           "vorher in \"" +
                               kept + "\" gesichert.");
}

TOutsideChangeAnswer AskAboutOutsideChange(const TOutsideChange& change) {
    const TConfirmAnswer answer = MessageBoxes().Choose(
        OutsideChangeQuestion(FullPath(change.FileName)), LoadTheirsAnswer, SaveOursAnswer);
    return answer == caDecline ? TOutsideChangeAnswer::SaveOurs : TOutsideChangeAnswer::LoadTheirs;
}

TOutsideChangeWatch::TOutsideChangeWatch(TStore& store, std::function<bool()> idle, QObject* parent)
    : QObject(parent), store_(store), idle_(std::move(idle)) {
    settle_.setSingleShot(true);
    settle_.setInterval(SettleMs);
    connect(&settle_, &QTimer::timeout, this, Guarded([this] { Check(); }));
    const auto changed = [this] { settle_.start(); };
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, changed);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, changed);
    Watch();
}

// A file replaced by rename drops out of the watcher; the folder stays.
void TOutsideChangeWatch::Watch() {
    QStringList paths{QDir::currentPath()};
    for (const std::string& name : store_.DataFileNames()) {
        const QString file = QFile::decodeName(name.c_str());
        if (QFileInfo::exists(file))
            paths << QDir::current().absoluteFilePath(file);
    }
    for (const QString& path : paths)
        if (!watcher_.files().contains(path) && !watcher_.directories().contains(path))
            watcher_.addPath(path);
}

void TOutsideChangeWatch::Check() {
    Watch();
    if (!idle_()) {
        settle_.start();
        return;
    }
    for (const std::string& name : store_.DataFileNames())
        CheckFile(name);
}

void TOutsideChangeWatch::CheckFile(const std::string& fileName) {
    if (!store_.ChangedOnDisk(fileName))
        return;
    const TDiskState state = DiskState(fileName);
    const auto declined = declined_.find(fileName);
    if (declined != declined_.end() && declined->second == state)
        return;
    // The reload must not cost a change the file lacks (a failed save).
    const std::string kept = store_.KeepUnsavedBeside(fileName).value_or(std::string());
    if (MessageBoxes().Confirm(ReloadQuestion(FullPath(fileName), kept), cbYesNo) == caAccept) {
        declined_.erase(fileName);
        store_.Reload(fileName);
    } else {
        declined_[fileName] = state;
    }
}

TOutsideChangeWatch::TDiskState TOutsideChangeWatch::DiskState(const std::string& fileName) {
    struct stat info = {};
    if (::stat(fileName.c_str(), &info) != 0)
        return {-1, 0, 0, 0};
    return {static_cast<long long>(info.st_size),
            static_cast<long long>(info.st_mtim.tv_sec) * 1'000'000'000LL + info.st_mtim.tv_nsec,
            static_cast<long long>(info.st_ctim.tv_sec),
            static_cast<unsigned long long>(info.st_ino)};
}
