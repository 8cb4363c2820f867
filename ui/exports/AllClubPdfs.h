#pragma once
// Every club's plan of a season as a PDF of its own in one folder.
#include "report/TextMeasure.h"
#include "season/Clashes.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

// The clubs with at least one team in the season, by name.
std::vector<TClubId> ClubsWithTeams(const TSeason& season);

struct TAllClubPdfs {
    QStringList Written;             // file names in the folder
    std::vector<std::string> Errors; // German, one per file that failed
    int Clubs = 0;
    bool Cancelled = false;
};

// Before each club, progress(done, total); false stops there. A file that
// cannot be written is reported and the others are still written. The file
// names come from the club names and the year (see UniqueSafeFileNames).
TAllClubPdfs WriteAllClubPdfs(const TSeason& season, const QString& folder,
                              const TRegionalSettings& settings, TDaySerial printDay,
                              const TTextMeasure& measure,
                              const std::function<bool(int done, int total)>& progress = {});

// The file names WriteAllClubPdfs writes for these clubs.
QStringList ClubPdfFileNames(const TSeason& season, const std::vector<TClubId>& clubs);
