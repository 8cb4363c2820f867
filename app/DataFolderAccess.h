#pragma once
// At start, before anything is loaded: whether this copy may write the data
// folder. Another running copy's lock or a folder that refuses writing opens
// the data read-only; the user is told why, and may end instead.
#include "app/DataFolderLock.h"

#include <string>

class TMessageBoxes;

enum TFolderAccess { faWrite, faReadOnly, faQuit };

TFolderAccess OpenDataFolder(TDataFolderLock& lock, TMessageBoxes& boxes);

// The box texts (UTF-8). ownHost: this computer's name.
std::string LockHeldQuestion(const TDataFolderLock& lock, const QString& ownHost);
std::string NotWritableNotice(const TDataFolderLock& lock);

inline constexpr const char* OpenReadOnlyAnswer = "Schreibgeschützt öffnen";
inline constexpr const char* QuitAnswer = "Beenden";
