// A data folder whose name holds letters outside Windows-1252: the files load
// and save there, and every message names the folder as it is spelt.
#include "data/StaffelError.h"
#include "data/Store.h"
#include "data/file/AtomicFile.h"
#include "data/file/Cp1252.h"
#include "test_FileSupport.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

const std::string FolderName = "Saison 2026 \xE2\x80\x93 \xC5\x81\xC3\xB3"
                               "d\xC5\xBA"; // "Saison 2026 – Łódź"

TLocalTime Noon() {
    return {2026, 12, 9, 12, 0, 0};
}

TEST(FolderNames, DataFolderOutsideTheCodePageWorksAndIsNamedCorrectly) {
    TScratchFolder scratch;
    const std::filesystem::path folder = scratch.Path() / FolderName;
    std::filesystem::create_directories(folder);
    TWorkingDirectory cwd(folder);
    WriteBytes(folder / "Ligatafel.xml", "kaputt");

    TStore store(TRegionalSettings::German(), Noon);
    store.FormCreate();
    const auto notice = store.TakeStartupNotice();
    ASSERT_TRUE(notice);
    EXPECT_TRUE(IsValidUtf8(*notice)) << *notice;
    EXPECT_NE(notice->find("/" + FolderName + "/Ligatafel.xml"), std::string::npos) << *notice;

    TRecordTable& t = store.t_staffel();
    t.Append();
    t.Field("Klasse").SetAsText("Bezirksliga");
    t.Field("Jahr").SetAsInteger(2026);
    t.Post();
    store.SaveStaffel();
    TStore again(TRegionalSettings::German(), Noon);
    again.FormCreate();
    EXPECT_FALSE(again.TakeStartupNotice());
    EXPECT_EQ(again.t_staffel().Field("Klasse").AsText(), "Bezirksliga");

    std::string error;
    {
        TAtomicFaultScope fault(
            [](TAtomicStep step) { return step == TAtomicStep::Rename ? EROFS : 0; });
        error = ErrorOf([&] { again.SaveStaffel(); });
    }
    EXPECT_TRUE(IsValidUtf8(error)) << error;
    EXPECT_NE(error.find("/" + FolderName + "/Ligatafel.xml"), std::string::npos) << error;
}

} // namespace
