// The page-snapshot file: round trip, and a clear error for every foreign,
// truncated or damaged content.
#include "data/StaffelError.h"
#include "report/SnapshotFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

TReportPages SamplePages() {
    TReportPages pages;
    pages.Title = "Klasse10";
    for (int p = 0; p < 2; ++p) {
        TReportPage page;
        TPageItem text;
        text.Kind = piText;
        text.Left = 0.5;
        text.Top = 0.26 + p;
        text.Width = 5.5833;
        text.Text = "ausw\xE4rts";
        text.Font = {"Arial", 20, true};
        text.Justify = pjCenter;
        page.Items.push_back(text);
        TPageItem box;
        box.Kind = piRectangle;
        box.Width = 7.3;
        box.Height = 0.4;
        box.LineWidth = 3;
        box.FillStyle = fsSolid;
        box.FillColor = {192, 192, 192};
        page.Items.push_back(box);
        TPageItem line;
        line.Kind = piHLine;
        line.Width = 7.4;
        line.LineStyle = psDash;
        page.Items.push_back(line);
        pages.Pages.push_back(page);
    }
    return pages;
}

std::string ErrorOf(std::string_view bytes) {
    try {
        DecodeSnapshot(bytes);
    } catch (const TStaffelError& e) {
        return e.what();
    }
    return "<no error>";
}

struct TempDir {
    TempDir() {
        std::random_device random;
        path = std::filesystem::temp_directory_path() / ("spp-test-" + std::to_string(random()));
        std::filesystem::create_directories(path);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

TEST(SnapshotFile, RoundTrip) {
    const TReportPages pages = SamplePages();
    EXPECT_EQ(DecodeSnapshot(EncodeSnapshot(pages)), pages);
    EXPECT_EQ(DecodeSnapshot(EncodeSnapshot(TReportPages{})), TReportPages{});
}

TEST(SnapshotFile, EveryTruncationIsRejected) {
    const std::string bytes = EncodeSnapshot(SamplePages());
    for (std::size_t length = 0; length < bytes.size(); ++length)
        EXPECT_NE(ErrorOf(bytes.substr(0, length)), "<no error>") << "length " << length;
}

TEST(SnapshotFile, ForeignAndDamagedContent) {
    const std::string good = EncodeSnapshot(SamplePages());
    std::string newer = good;
    newer[8] = 2;
    std::string flipped = good;
    flipped[40] ^= 0x01;
    const struct {
        std::string Bytes;
        std::string Message;
    } cases[] = {
        {"", "The file is not a page-snapshot file."},
        {"%PDF-1.4 something", "The file is not a page-snapshot file."},
        {"<?xml version=\"1.0\"?>", "The file is not a page-snapshot file."},
        {good.substr(0, 9), "The page-snapshot file is truncated."},
        {newer, "The page-snapshot file has format version 2; this program reads version 1."},
        {flipped, "The page-snapshot file is truncated or damaged (checksum mismatch)."},
        {good + "x", "The page-snapshot file is truncated or damaged (checksum mismatch)."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorOf(c.Bytes), c.Message) << "input of " << c.Bytes.size() << " bytes";
}

TEST(SnapshotFile, WriteReplacesAndReadsBack) {
    TempDir dir;
    const std::string name = (dir.path / "plan.spp").string();
    { std::ofstream(name) << "old content"; }
    WriteSnapshotFile(name, SamplePages());
    EXPECT_EQ(ReadSnapshotFile(name), SamplePages());
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path))
        ++files;
    EXPECT_EQ(files, 1u) << "no temporary file is left";
}

TEST(SnapshotFile, FileErrorsNameThePath) {
    TempDir dir;
    const std::string missing = (dir.path / "missing.spp").string();
    const std::string foreign = (dir.path / "foreign.spp").string();
    { std::ofstream(foreign) << "not pages"; }
    const std::string noFolder = (dir.path / "no" / "such.spp").string();
    const std::string huge = (dir.path / "huge.spp").string();
    { std::ofstream(huge) << "SPPAGES"; }
    std::filesystem::resize_file(huge, (64u << 20) + 1); // sparse
    const struct {
        std::function<void()> Action;
        std::string Path;
        std::string Contains;
    } cases[] = {
        {[&] { ReadSnapshotFile(missing); }, missing, "kann nicht geöffnet werden"},
        {[&] { ReadSnapshotFile(foreign); }, foreign, "not a page-snapshot file"},
        {[&] { ReadSnapshotFile(dir.path.string()); }, dir.path.string(), "ein Ordner"},
        {[&] { ReadSnapshotFile("/dev/zero"); }, "/dev/zero", "ein Gerät"},
        {[&] { WriteSnapshotFile(noFolder, SamplePages()); }, noFolder,
         "kann nicht erstellt werden"},
        {[&] { ReadSnapshotFile(huge); }, huge, "too large"},
    };
    for (const auto& c : cases) {
        try {
            c.Action();
            ADD_FAILURE() << "no error for " << c.Path;
        } catch (const TStaffelError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(c.Contains), std::string::npos) << message;
            EXPECT_NE(message.find(std::filesystem::path(c.Path).filename().string()),
                      std::string::npos)
                << message;
        }
    }
}

} // namespace
