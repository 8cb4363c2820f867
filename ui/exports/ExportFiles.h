#pragma once
// What every export of the menus does with its file: suggest a name, write
// it through the one atomic writer.
#include "report/ICalExport.h"

#include <QString>

#include <functional>

#include <string>
#include <string_view>

// A suggestion for the save dialog, safe on any file system.
QString SuggestedName(const std::string& utf8Title, const QString& suffix);
// Replaces the file whole; fails with the German message of the writer.
void WriteExport(const QString& fileName, std::string_view content);

// Fails (German) when no game of the calendar has a date.
void RequireCalendarEvents(const TCalendarExport& calendar);
// What to tell about games left out for lack of a date; empty when none.
std::string UndatedNotice(const TCalendarExport& calendar);

class TMessageBoxes;
// The save dialog of an export: caption, suggested name, filter; empty when cancelled.
using TAskExportName = std::function<QString(const QString&, const QString&, const QString&)>;
// Asks where the calendar goes, writes it and tells about games left out;
// fails (German) when no game has a date.
void SaveCalendarExport(const TCalendarExport& calendar, const std::string& utf8Title,
                        const TAskExportName& askFileName, TMessageBoxes& boxes);
