// Load and Save of generated division files (1 000, 100 000 and 1 000 000
// physical rows of about 510 bytes: every division inserted, edited a few
// times, some deleted, umlauts and ampersands in the team names), and
// pugixml reading and parsing the same file into its DOM for comparison.
#include "data/Records.h"
#include "data/file/AtomicFile.h"
#include "data/file/XmlReader.h"
#include "data/file/XmlWriter.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

std::vector<TFieldDef> DivisionFields() {
    std::vector<TFieldDef> fields;
    for (const TRecordFieldSpec& spec : StaffelRecordFields()) {
        TFieldDef def;
        def.Name = std::string(spec.Name);
        def.Type = spec.Type;
        def.Width = spec.Width;
        def.Required = spec.Required;
        fields.push_back(std::move(def));
    }
    return fields;
}

std::vector<TValue> DivisionValues(int division, int version) {
    const std::string n = std::to_string(division % 10000);
    std::vector<TValue> values(26);
    values[1] = std::string("Badminton");
    values[2] = "Bezirksliga S\xFC"
                "d " +
                std::to_string(division);
    values[3] = std::int32_t{2000 + division % 20};
    values[4] = division % 2 == 0;
    values[5] = "TV S\xFC"
                "d & Co " +
                std::to_string(version);
    const char* clubs[] = {"SC N\xF6rd & Co ", "TuS M\xFChle ", "BC Gr\xFCn-Wei\xDF ",
                           "SV Bl\xE4"
                           "u & Rot ",
                           "TSV H\xF6he "};
    for (int slot = 0; slot < 10; ++slot)
        values[6 + slot] = clubs[slot % 5] + n;
    for (int day = 0; day < 10; ++day)
        values[16 + day] = TDateValue{40000 + division % 365 + day * 14};
    return values;
}

// Rows and change log as a table that lived through these edits holds them.
TDataPacket DivisionPacket(int physicalRows) {
    TDataPacket packet;
    packet.Fields = DivisionFields();
    packet.Rows.reserve(physicalRows);
    for (int division = 0; static_cast<int>(packet.Rows.size()) < physicalRows; ++division) {
        packet.Rows.push_back({DivisionValues(division, 0), rsInserted});
        auto row = static_cast<std::int32_t>(packet.Rows.size());
        packet.ChangeLog.push_back({row, 0, 4});
        for (int edit = 1; edit <= division % 4 && row < physicalRows; ++edit) {
            packet.Rows.back().Status |= rsSuperseded;
            packet.Rows.push_back({DivisionValues(division, edit), rsInserted | rsModified});
            const auto newRow = static_cast<std::int32_t>(packet.Rows.size());
            packet.ChangeLog.push_back({newRow, row, 8});
            row = newRow;
        }
        if (division % 5 == 3) {
            packet.Rows.back().Status |= rsDeleted;
            packet.ChangeLog.push_back({row, 0, 2});
        }
    }
    return packet;
}

// pugixml cannot take names that begin with a digit: "1A=" becomes "xA=".
std::string ForPugixml(std::string text) {
    bool inValue = false;
    bool inTag = false;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const char c = text[i];
        if (inValue) {
            inValue = c != '"';
        } else if (c == '"') {
            inValue = inTag;
        } else if (c == '<') {
            inTag = true;
        } else if (c == '>') {
            inTag = false;
        } else if (inTag && c == ' ' && text[i + 1] >= '0' && text[i + 1] <= '9') {
            text[i + 1] = 'x';
        }
    }
    return text;
}

struct TFiles {
    std::filesystem::path Folder;
    TFiles() {
        Folder = std::filesystem::temp_directory_path() /
                 ("staffel-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(Folder);
    }
    ~TFiles() {
        std::error_code ec;
        std::filesystem::remove_all(Folder, ec);
    }
};

struct TBenchFile {
    std::string Path;
    std::string PugixmlPath;
    std::size_t Size = 0;
};

const TBenchFile& FileOf(int rows) {
    static TFiles files;
    static std::map<int, TBenchFile> made;
    auto it = made.find(rows);
    if (it != made.end())
        return it->second;
    TBenchFile file;
    file.Path = (files.Folder / ("Ligatafel-" + std::to_string(rows) + ".xml")).string();
    file.PugixmlPath = (files.Folder / ("pugixml-" + std::to_string(rows) + ".xml")).string();
    std::string content = WriteDataPacket(DivisionPacket(rows));
    file.Size = content.size();
    std::ofstream(file.Path, std::ios::binary) << content;
    std::ofstream(file.PugixmlPath, std::ios::binary) << ForPugixml(std::move(content));
    return made.emplace(rows, file).first->second;
}

std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void SetThroughput(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(bytes) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_Load(benchmark::State& state) {
    const TBenchFile& file = FileOf(static_cast<int>(state.range(0)));
    double memoryRatio = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        auto table = std::make_unique<TRecordTable>("t_staffel");
        table->Load(file.Path);
        benchmark::DoNotOptimize(table->DisplayCount());
        state.PauseTiming();
        memoryRatio = static_cast<double>(HeapInUse() - before) / static_cast<double>(file.Size);
        table.reset();
        state.ResumeTiming();
    }
    SetThroughput(state, file.Size);
    state.counters["memory/file"] = memoryRatio;
}

void BM_PugixmlLoadFile(benchmark::State& state) {
    const TBenchFile& file = FileOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto document = std::make_unique<pugi::xml_document>();
        const pugi::xml_parse_result result = document->load_file(file.PugixmlPath.c_str());
        if (!result)
            state.SkipWithError(result.description());
        benchmark::DoNotOptimize(document->first_child());
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    SetThroughput(state, file.Size);
}

// The file's content from the table, everything a save does before the disk.
void BM_SaveContent(benchmark::State& state) {
    const TBenchFile& file = FileOf(static_cast<int>(state.range(0)));
    TRecordTable table("t_staffel");
    table.Load(file.Path);
    std::size_t written = 0;
    for (auto _ : state) {
        const std::string content = DataFileContent(table);
        written = content.size();
        benchmark::DoNotOptimize(content.data());
    }
    SetThroughput(state, written);
}

// The whole save: content, temporary file, flush to disk, rename.
void BM_Save(benchmark::State& state) {
    const TBenchFile& file = FileOf(static_cast<int>(state.range(0)));
    TRecordTable table("t_staffel");
    table.Load(file.Path);
    const std::string target = file.Path + ".saved.xml";
    for (auto _ : state)
        table.Save(target);
    SetThroughput(state, file.Size);
    std::filesystem::remove(target);
}

// The reader's part of a load: read the file, parse it and convert every
// value, with the rows handed to a sink that only counts them.
void BM_ReadRows(benchmark::State& state) {
    const TBenchFile& file = FileOf(static_cast<int>(state.range(0)));
    struct TCount : TPacketSink {
        std::size_t Rows = 0;
        void Begin(const std::vector<TFieldDef>&) override {}
        void Row(const std::vector<TValue>& values, std::uint8_t) override {
            Rows += values.empty() ? 0 : 1;
        }
        void End(std::vector<TChangeEntry>, std::vector<int>, bool) override {}
    };
    for (auto _ : state) {
        TCount count;
        const TFileBytes bytes = ReadFileBytes(file.Path);
        ReadDataPacket(bytes.View(), count);
        benchmark::DoNotOptimize(count.Rows);
    }
    SetThroughput(state, file.Size);
}

// The writer's part of a save: packet to text.
void BM_WritePacket(benchmark::State& state) {
    const TDataPacket packet = DivisionPacket(static_cast<int>(state.range(0)));
    std::size_t written = 0;
    for (auto _ : state) {
        const std::string content = WriteDataPacket(packet);
        written = content.size();
        benchmark::DoNotOptimize(content.data());
    }
    SetThroughput(state, written);
}

void Sizes(benchmark::internal::Benchmark* bench) {
    bench->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Load)->Apply(Sizes);
BENCHMARK(BM_ReadRows)->Apply(Sizes);
BENCHMARK(BM_WritePacket)->Apply(Sizes);
BENCHMARK(BM_PugixmlLoadFile)->Apply(Sizes);
BENCHMARK(BM_SaveContent)->Apply(Sizes);
BENCHMARK(BM_Save)->Apply(Sizes);
BENCHMARK(BM_Load)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PugixmlLoadFile)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveContent)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
