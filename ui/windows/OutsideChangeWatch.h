#pragma once
// Data files changed by someone else (a colleague's copy, a sync tool) while
// the program idles: the folder is watched, since a file replaced by rename
// is a new file, and a change the store did not write itself is offered for
// reloading at once. A declined change is not offered again; the store asks
// about it before its next save.
#include "data/Store.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <functional>
#include <map>
#include <string>
#include <tuple>

// The question before a save over a file changed from outside; nobody there
// to answer (caClosed) keeps the file on disk and the program's changes aside.
TOutsideChangeAnswer AskAboutOutsideChange(const TOutsideChange& change);
std::string OutsideChangeQuestion(const std::string& fullPath);
// kept: where the program's changes the file lacks were written first.
std::string ReloadQuestion(const std::string& fullPath, const std::string& kept = {});
inline constexpr const char* LoadTheirsAnswer = "Andere Fassung laden";
inline constexpr const char* SaveOursAnswer = "Meine Fassung speichern";

class TOutsideChangeWatch : public QObject {
    Q_OBJECT
public:
    // idle: whether a question may come now (nothing pending, no box open).
    TOutsideChangeWatch(TStore& store, std::function<bool()> idle, QObject* parent = nullptr);

    // Looks at both data files now and offers to reload a changed one; not
    // idle, it looks again a little later.
    void Check();
    // Milliseconds from a change in the folder to the look at the files, so
    // that a writer's several steps are over.
    static constexpr int SettleMs = 400;

private:
    void Watch();
    void CheckFile(const std::string& fileName);

    // Size, modification time and inode of a file as last declined.
    using TDiskState = std::tuple<long long, long long, long long, unsigned long long>;
    static TDiskState DiskState(const std::string& fileName);

    TStore& store_;
    std::function<bool()> idle_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    std::map<std::string, TDiskState> declined_;
};
