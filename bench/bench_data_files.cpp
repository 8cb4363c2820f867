// Load and Save of division files (1 000, 100 000 and 1 000 000 physical
// rows of about 510 bytes, GeneratedDivisionFile.h), with their yardsticks
// measured in the same run: pugixml reading and parsing the same file into
// its DOM for Load, and the plain atomic write of the same bytes
// (open/write/fsync/rename/folder fsync) for Save. The ratio benchmarks
// report the median of their rounds (a disk's sync times scatter widely; one
// lucky sync should not decide) and, beside it, the best of each.
#include "GeneratedDivisionFile.h"
#include "data/file/AtomicFile.h"
#include "data/file/XmlReader.h"
#include "data/file/XmlWriter.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <limits>
#include <malloc.h>
#include <map>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

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
    std::string Content;
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
    file.Content = GeneratedDivisionFile(rows);
    file.Size = file.Content.size();
    std::ofstream(file.Path, std::ios::binary) << file.Content;
    std::ofstream(file.PugixmlPath, std::ios::binary) << ForPugixml(file.Content);
    return made.emplace(rows, std::move(file)).first->second;
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

// The yardstick of Save: the same bytes written atomically the plain way.
void PlainAtomicWrite(const std::string& target, std::string_view bytes) {
    const std::string temp = target + ".plain-tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        throw std::runtime_error("cannot create " + temp);
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            throw std::runtime_error("cannot write " + temp);
        done += static_cast<std::size_t>(n);
    }
    ::fsync(fd);
    ::close(fd);
    ::rename(temp.c_str(), target.c_str());
    const int folder = ::open(std::filesystem::path(target).parent_path().c_str(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::fsync(folder);
    ::close(folder);
}

// Seconds a call takes.
template <class F> double Seconds(F&& call) {
    const auto start = std::chrono::steady_clock::now();
    call();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> rounds) {
    std::sort(rounds.begin(), rounds.end());
    const std::size_t n = rounds.size();
    return n % 2 == 1 ? rounds[n / 2] : (rounds[n / 2 - 1] + rounds[n / 2]) / 2;
}

void ReportRatio(benchmark::State& state, const char* name, const std::vector<double>& rounds,
                 const char* yardstick, const std::vector<double>& yardstickRounds) {
    const double median = Median(rounds);
    const double yardstickMedian = Median(yardstickRounds);
    const double best = *std::min_element(rounds.begin(), rounds.end());
    const double bestYardstick = *std::min_element(yardstickRounds.begin(), yardstickRounds.end());
    state.counters[std::string(name) + "_ms"] = median * 1e3;
    state.counters[std::string(yardstick) + "_ms"] = yardstickMedian * 1e3;
    state.counters["ratio"] = median / yardstickMedian;
    state.counters["best_ratio"] = best / bestYardstick;
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

// Load against pugixml, round by round; ratio = Load / pugixml.
void BM_LoadAgainstPugixml(benchmark::State& state) {
    const TBenchFile& file = FileOf(static_cast<int>(state.range(0)));
    std::vector<double> loads;
    std::vector<double> pugixml;
    for (auto _ : state) {
        auto table = std::make_unique<TRecordTable>("t_staffel");
        loads.push_back(Seconds([&] { table->Load(file.Path); }));
        table.reset();
        auto document = std::make_unique<pugi::xml_document>();
        pugixml.push_back(Seconds([&] {
            if (!document->load_file(file.PugixmlPath.c_str()))
                state.SkipWithError("pugixml rejects the file");
        }));
    }
    ReportRatio(state, "Load", loads, "pugixml", pugixml);
}

// The file's content from the table, everything a save does before the
// disk, into a sink that only counts the bytes.
void BM_SaveContent(benchmark::State& state) {
    const TBenchFile& file = FileOf(static_cast<int>(state.range(0)));
    TRecordTable table("t_staffel");
    table.Load(file.Path);
    std::size_t written = 0;
    for (auto _ : state) {
        written = 0;
        WriteDataFile(table, [&written](std::string_view bytes) {
            benchmark::DoNotOptimize(bytes.data());
            written += bytes.size();
        });
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

// Save against the plain atomic write of the same bytes, round by round;
// ratio = Save / plain write. First the check that the
// loaded file is saved back byte for byte.
void BM_SaveAgainstPlainWrite(benchmark::State& state) {
    const TBenchFile& file = FileOf(static_cast<int>(state.range(0)));
    TRecordTable table("t_staffel");
    table.Load(file.Path);
    const std::string target = file.Path + ".saved.xml";
    const std::string plainTarget = file.Path + ".plain.xml";
    table.Save(target);
    if (ReadWholeFile(target) != file.Content) {
        state.SkipWithError("the saved file differs from the loaded one");
        return;
    }
    std::vector<double> saves;
    std::vector<double> plain;
    // Each timed write starts on a settled file system: the journal work one
    // leaves behind (freeing the replaced file) would else land on the other.
    const auto settled = [&target] {
        const int folder = ::open(std::filesystem::path(target).parent_path().c_str(),
                                  O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::syncfs(folder);
        ::close(folder);
    };
    for (auto _ : state) {
        settled();
        saves.push_back(Seconds([&] { table.Save(target); }));
        settled();
        plain.push_back(Seconds([&] { PlainAtomicWrite(plainTarget, file.Content); }));
    }
    ReportRatio(state, "Save", saves, "PlainWrite", plain);
    state.counters["identical"] = 1;
    std::filesystem::remove(target);
    std::filesystem::remove(plainTarget);
}

// The reader's part of a load: read the file, parse it and convert every
// value into the stored form, without a table.
void BM_ReadRows(benchmark::State& state) {
    const TBenchFile& file = FileOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const TFileBytes bytes = ReadFileBytes(file.Path);
        const TTableContent content = ReadDataFile(bytes.View());
        benchmark::DoNotOptimize(content.Rows.size());
    }
    SetThroughput(state, file.Size);
}

void Sizes(benchmark::internal::Benchmark* bench) {
    bench->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_LoadAgainstPugixml)->Arg(100000)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAgainstPlainWrite)->Arg(100000)->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Apply(Sizes);
BENCHMARK(BM_ReadRows)->Apply(Sizes);
BENCHMARK(BM_PugixmlLoadFile)->Apply(Sizes);
BENCHMARK(BM_SaveContent)->Apply(Sizes)->UseRealTime(); // threads: the wall clock counts
BENCHMARK(BM_Save)->Apply(Sizes)->UseRealTime();
BENCHMARK(BM_Load)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PugixmlLoadFile)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveContent)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Save)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
