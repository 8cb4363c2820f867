#pragma once
// At start, before anything is written: whether this copy may write the data
// folder. Another running copy's lock, a folder that refuses writing or a
// data file the system will not let be read opens the data read-only; the
// user is told why, and may end instead.
#include "app/DataFolderLock.h"

#include <string>

class TMessageBoxes;

enum TFolderAccess { faWrite, faReadOnly, faQuit };

TFolderAccess OpenDataFolder(TDataFolderLock& lock, TMessageBoxes& boxes);

// After the store's start found data files it may not read (notice: which
// and why; the store is read-only already): open read-only, or end.
TFolderAccess AskAboutUnreadableFiles(const std::string& notice, TMessageBoxes& boxes);

// The box texts (UTF-8). ownHost: this computer's name.
std::string LockHeldQuestion(const TDataFolderLock& lock, const QString& ownHost);
std::string NotWritableNotice(const TDataFolderLock& lock);
std::string UnreadableFilesQuestion(const std::string& notice);

inline constexpr const char* OpenReadOnlyAnswer = "Schreibgeschützt öffnen";
inline constexpr const char* QuitAnswer = "Beenden";
