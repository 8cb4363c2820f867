#include "ui/exports/AllClubPdfs.h"

#include "report/qt/PdfExportAll.h"
#include "season/ClubPlan.h"
#include "season/ClubPlanPages.h"
#include "ui/exports/FileWriterPool.h"
#include "ui/exports/SafeFileName.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <exception>

std::vector<TClubId> ClubsWithTeams(const TSeason& season) {
    std::vector<bool> playing(season.Clubs().ClubCount(), false);
    for (int d = 0; d < season.DivisionCount(); ++d)
        for (TClubId club : season.SlotClubs(d))
            if (club != NoClub)
                playing[club] = true;
    std::vector<TClubId> clubs = season.Clubs().ClubsByName();
    std::erase_if(clubs, [&](TClubId club) { return !playing[club]; });
    return clubs;
}

QStringList ClubPdfFileNames(const TSeason& season, const std::vector<TClubId>& clubs) {
    QStringList titles;
    for (TClubId club : clubs)
        titles.push_back(QString::fromStdString(ClubPlanTitleUtf8(MakeClubPlan(season, club))));
    return UniqueSafeFileNames(titles, QStringLiteral(".pdf"), QStringLiteral("Verein"));
}

TAllClubPdfs WriteAllClubPdfs(const TSeason& season, const QString& folder,
                              const TRegionalSettings& settings, TDaySerial printDay,
                              const TTextMeasure& measure,
                              const std::function<bool(int, int)>& progress) {
    TAllClubPdfs result;
    const std::vector<TClubId> clubs = ClubsWithTeams(season);
    const QStringList names = ClubPdfFileNames(season, clubs);
    result.Clubs = static_cast<int>(clubs.size());
    const QDir dir(folder);
    TFileWriterPool writers;
    for (int i = 0; i < result.Clubs; ++i) {
        if (progress && !progress(i, result.Clubs)) {
            result.Cancelled = true;
            break;
        }
        const TClubPlan plan = MakeClubPlan(season, clubs[i]);
        const TReportPages pages = MakeClubPlanPages(season, plan, settings, printDay, measure);
        try {
            const QByteArray pdf = PdfOfPageSets({pages}, QString::fromStdString(pages.Title));
            writers.Submit(i, QFile::encodeName(dir.filePath(names[i])).toStdString(),
                           pdf.toStdString());
        } catch (const std::exception& error) {
            result.Errors.push_back(error.what());
        }
    }
    for (const auto& [club, error] : writers.Finish()) {
        if (error.empty())
            result.Written.push_back(names[club]);
        else
            result.Errors.push_back(error);
    }
    if (progress && !result.Cancelled)
        progress(result.Clubs, result.Clubs);
    return result;
}
