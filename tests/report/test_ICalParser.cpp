// The calendar file of a full 10-team division read back by Python's
// icalendar package; skipped where that package is missing.
#include "DivisionSamples.h"
#include "report/ICalExport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

namespace fs = std::filesystem;

// The distribution's interpreter first: a user-installed one may lack the package.
std::string PythonWithICalendar() {
    for (const char* python : {"/usr/bin/python3", "python3"}) {
        const std::string probe = std::string(python) + " -c 'import icalendar' >/dev/null 2>&1";
        if (std::system(probe.c_str()) == 0)
            return python;
    }
    return {};
}

class TScratchFolder {
public:
    TScratchFolder() {
        std::random_device random;
        path_ = fs::temp_directory_path() / ("staffel-ical-" + std::to_string(random()));
        fs::create_directories(path_);
    }
    ~TScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

constexpr const char* kCheck = R"PY(
import sys, icalendar
data = open(sys.argv[1], 'rb').read()
cal = icalendar.Calendar.from_ical(data)
events = [c for c in cal.walk('VEVENT')]
assert len(events) == 90, len(events)
assert len(cal.walk('VTIMEZONE')) == 1
uids = set(str(e['UID']) for e in events)
assert len(uids) == 90
offsets = set()
for e in events:
    start, end = e.decoded('DTSTART'), e.decoded('DTEND')
    assert start.tzinfo is not None, e['UID']
    assert (end - start).total_seconds() == 7200, e['UID']
    assert start.hour in (15, 19), start
    offsets.add(start.utcoffset().total_seconds() / 3600)
    assert ' \u2013 ' in str(e['SUMMARY'])
    assert 'Jahr: 2026' in str(e['DESCRIPTION'])
assert offsets == {1.0, 2.0}, offsets
first = [e for e in events if str(e['UID']).endswith('-Spt1-1500-1A-3A@staffelplan')][0]
assert str(first['SUMMARY']) == 'SG Nord; Ost, M\u00fcnster \u2013 Team 3A', first['SUMMARY']
print('ok')
)PY";

TEST(ICalParser, FullTenTeamDivisionParses) {
    const std::string python = PythonWithICalendar();
    if (python.empty())
        GTEST_SKIP() << "python3 with the icalendar package is not installed";
    TDivisionValues division = SampleDivision(true);
    division.Teams[0] = "SG Nord; Ost, M\xFCnster";
    // Match days from September to November: summer and winter time.
    const TCalendarExport calendar = MakeCalendar(division, csDivision, 1796803200);
    ASSERT_EQ(calendar.Events, 90);

    TScratchFolder folder;
    const fs::path file = folder.Path() / "staffel.ics";
    const fs::path script = folder.Path() / "check.py";
    std::ofstream(file, std::ios::binary) << calendar.Text;
    std::ofstream(script, std::ios::binary) << kCheck;
    const std::string command = python + " '" + script.string() + "' '" + file.string() + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << "the icalendar package rejected the file";
}

} // namespace
