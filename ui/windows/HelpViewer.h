#pragma once
// The user guide at the help key: the HTML page built from
// docs/Benutzerhandbuch.md, handed to the user's browser or help viewer.
#include <QString>
#include <QUrl>

#include <functional>

// Hands a URL to the desktop; false when nothing took it.
using TOpenUrl = std::function<bool(const QUrl&)>;

// QDesktopServices::openUrl.
bool OpenUrlWithDesktop(const QUrl& url);

// The guide's page beside the build (build/docs/) or where the package
// installed it (share/staffelplan/handbuch/), seen from the program's
// folder; empty when neither exists.
QString FindUserGuide(const QString& programFolder);

// Opens the guide; where nothing can open it, a box says where the file
// is. Fails with a TStaffelError when the guide is missing.
void ShowUserGuide(const QString& programFolder, const TOpenUrl& openUrl);
