// Workload: every club's plan of a generated season (200 divisions, half 8
// and half 10 teams, 300 clubs) as one PDF per club into a folder, through
// the same routine the menu runs. Target: all 300 in 15 s. Yardstick in the
// same run: 300 one-page PDFs with a single line of text, what any PDF
// costs; the ratio shows what the plans themselves add.
#include "QtBenchMain.h"
#include "SeasonGenerator.h"
#include "report/qt/PdfExport.h"
#include "report/qt/QtTextMeasure.h"
#include "ui/exports/AllClubPdfs.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr double kTargetSeconds = 15.0;
double yardstickSeconds = 0;

const TSeason& Season() {
    static const TSeason season = [] {
        TGeneratedSeason generated = GenerateSeason(TSeasonSpec{});
        return TSeason(std::move(generated.Divisions), TClubDirectory(std::move(generated.Clubs)));
    }();
    return season;
}

void BM_Yardstick_OneLinePdfs(benchmark::State& state) {
    const int clubs = static_cast<int>(ClubsWithTeams(Season()).size());
    TReportPages pages;
    pages.Title = "Yardstick";
    TReportPage page;
    TPageItem line;
    line.Text = "Verein";
    line.Width = 3;
    page.Items.push_back(line);
    pages.Pages.push_back(page);
    for (auto _ : state) {
        QTemporaryDir folder;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < clubs; ++i)
            ExportPdf(pages, QDir(folder.path()).filePath(QString::number(i) + ".pdf"));
        yardstickSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["files"] = clubs;
}
BENCHMARK(BM_Yardstick_OneLinePdfs)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_AllClubPdfs(benchmark::State& state) {
    const TQtTextMeasure measure;
    int written = 0;
    double seconds = 0;
    for (auto _ : state) {
        QTemporaryDir folder;
        const auto start = std::chrono::steady_clock::now();
        const TAllClubPdfs result =
            WriteAllClubPdfs(Season(), folder.path(), TRegionalSettings::German(), 47000, measure);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        written = static_cast<int>(result.Written.size());
        if (!result.Errors.empty())
            state.SkipWithError(result.Errors.front().c_str());
    }
    state.counters["files"] = written;
    state.counters["per_club_ms"] = 1000.0 * seconds / std::max(1, written);
    state.counters["of_target"] = seconds / kTargetSeconds;
    if (yardstickSeconds > 0)
        state.counters["vs_yardstick"] = seconds / yardstickSeconds;
}
BENCHMARK(BM_AllClubPdfs)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
