#include "ui/windows/AboutVersion.h"

#include <gtest/gtest.h>

namespace {

struct TVersionCase {
    const char* Version;
    const char* Build;
    const char* Expected;
};

TEST(VersionText, FormsTheLineFromTheVersionRecord) {
    const TVersionCase cases[] = {
        {"0.8.0", "106", "Version: 0.8.0    Build: 106"},
        {"2.10.0", "7", "Version: 2.10.0    Build: 7"},
        {"65535.0.65535", "65535", "Version: 65535.0.65535    Build: 65535"},
        {"010.02.0", "007", "Version: 10.2.0    Build: 7"},
    };
    for (const auto& c : cases) {
        const auto record = VersionRecordFrom(c.Version, c.Build);
        ASSERT_TRUE(record) << c.Version << " " << c.Build;
        EXPECT_EQ(VersionText(record), c.Expected) << c.Version << " " << c.Build;
    }
}

TEST(VersionText, SplitsTheWordsOfTheFixedBlock) {
    const auto record = VersionRecordFrom("0.8.0", "106");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->FileVersionMS, 0x00000008u);
    EXPECT_EQ(record->FileVersionLS, 0x0000006Au);
    EXPECT_EQ(VersionText(TFixedFileVersion{0x0002000A, 0x00000007}),
              "Version: 2.10.0    Build: 7");
}

TEST(VersionText, IsEmptyWithoutAVersionRecord) {
    EXPECT_EQ(VersionText(std::nullopt), "");
    const std::pair<const char*, const char*> noRecord[] = {
        {"", "1"},     {"0.8", "1"},    {"0.8.0.1", "1"},   {"0.8.x", "1"},
        {"0.8.0", ""}, {"0.8.0", "-1"}, {"0.8.0", "65536"}, {"1..0", "1"},
    };
    for (const auto& [version, build] : noRecord)
        EXPECT_FALSE(VersionRecordFrom(version, build)) << version << " " << build;
}

TEST(VersionText, RunningProgramShowsTheProjectVersion) {
    EXPECT_EQ(VersionText(),
              std::string("Version: ") + STAFFEL_VERSION + "    Build: " + STAFFEL_BUILD_NUMBER);
}

TEST(TempDirectory, EndsWithTheSeparator) {
    const std::string folder = TempDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
}

} // namespace
