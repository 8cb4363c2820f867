// Workload: one Klasse10 fixture list (2 pages, 10 teams, 10 match days),
// generated with the real font measure and written as a PDF file; also the
// steps on their own and the page-snapshot round trip.
#include "QtBenchMain.h"
#include "data/Records.h"
#include "report/PageGenerator.h"
#include "report/SnapshotFile.h"
#include "report/qt/PdfExport.h"
#include "report/qt/QtTextMeasure.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<TRecordTable> Division() {
    auto table = std::make_unique<TRecordTable>("t_staffel");
    DefineFields(*table, StaffelRecordFields());
    table->CreateEmpty();
    table->Append();
    table->Field("Ueberschrift").SetAsText("Badminton Verbandsrunde Nordwest");
    table->Field("Klasse").SetAsText("Bezirksliga");
    table->Field("Jahr").SetAsInteger(2009);
    table->Field("10Klasse").SetAsBoolean(true);
    table->Field("Mannschaft").SetAsText("TV Musterstadt");
    for (int s = 0; s < SlotCount; ++s) {
        const std::string slot(SlotFieldName(static_cast<TSlotName>(s)));
        table->Field(slot).SetAsText("Spielgemeinschaft " + slot);
    }
    for (int d = 0; d < SpieltagCount; ++d)
        table->Field(SpieltagDateFieldName(static_cast<TSpieltagKey>(d)))
            .SetAsDateTime(*DayFromCivil(2009, 9, 1 + d));
    table->Post();
    return table;
}

TReportPages Generate(TRecordTable& table, const TTextMeasure& measure) {
    TReportBinding binding(table, Klasse10Layout(), TRegionalSettings::German());
    TGenerateResult result = GeneratePages(Klasse10Layout(), binding, TRegionalSettings::German(),
                                           *DayFromCivil(2026, 12, 9), measure);
    binding.End();
    return std::move(result.Pages);
}

void BM_Klasse10ToPdf(benchmark::State& state) {
    auto table = Division();
    TQtTextMeasure measure;
    QTemporaryDir dir;
    const QString file = dir.filePath("plan.pdf");
    for (auto _ : state)
        ExportPdf(Generate(*table, measure), file);
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("fixture lists");
}
BENCHMARK(BM_Klasse10ToPdf)->Unit(benchmark::kMillisecond);

void BM_Klasse10Generate(benchmark::State& state) {
    auto table = Division();
    TQtTextMeasure measure;
    for (auto _ : state)
        benchmark::DoNotOptimize(Generate(*table, measure));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Klasse10Generate)->Unit(benchmark::kMillisecond);

void BM_Klasse10SnapshotRoundTrip(benchmark::State& state) {
    auto table = Division();
    TQtTextMeasure measure;
    const TReportPages pages = Generate(*table, measure);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string encoded = EncodeSnapshot(pages);
        bytes += encoded.size();
        benchmark::DoNotOptimize(DecodeSnapshot(encoded));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_Klasse10SnapshotRoundTrip)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
