// Plan check, calendar and CSV export: any division gives findings and
// files (or a TStaffelError), the calendar's lines never exceed 75 octets
// and both files are valid UTF-8.
#include "data/file/Cp1252.h"
#include "data/StaffelError.h"
#include "report/CsvExport.h"
#include "report/ICalExport.h"
#include "report/PlanCheck.h"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

class TReader {
public:
    explicit TReader(std::string_view bytes) : bytes_(bytes) {}
    std::uint32_t Number() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4 && !bytes_.empty(); ++i) {
            value = value << 8 | static_cast<unsigned char>(bytes_.front());
            bytes_.remove_prefix(1);
        }
        return value;
    }
    // Up to the next 0 byte; texts are Windows-1252, so every byte is a character.
    std::string Text() {
        const std::size_t end = std::min(bytes_.find('\0'), bytes_.size());
        std::string text(bytes_.substr(0, std::min<std::size_t>(end, 40)));
        bytes_.remove_prefix(std::min(end + 1, bytes_.size()));
        return text;
    }

private:
    std::string_view bytes_;
};

void CheckCalendar(const std::string& text) {
    if (!IsValidUtf8(text))
        __builtin_trap();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos || end - start > 75)
            __builtin_trap();
        start = end + 2;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TReader in(std::string_view(reinterpret_cast<const char*>(data), size));
    TDivisionValues division;
    const std::uint32_t flags = in.Number();
    division.TenTeams = flags & 1;
    if (flags & 2)
        division.Jahr = static_cast<std::int32_t>(in.Number());
    // Days of the years 1 to 9999, as the data file and the date editors hold them.
    const TDaySerial first = *DayFromCivil(1, 1, 1), last = *DayFromCivil(9999, 12, 31);
    for (auto& date : division.Dates)
        if (const std::uint32_t value = in.Number(); value & 1)
            date = first + static_cast<TDaySerial>((value >> 1) % (last - first + 1));
    division.Klasse = in.Text();
    division.Mannschaft = in.Text();
    for (auto& team : division.Teams)
        team = in.Text();

    CheckPlan(division, TRegionalSettings::German());
    if (!IsValidUtf8(MakeFixtureCsv(division, TRegionalSettings::German())))
        __builtin_trap();
    for (TCalendarScope scope : {csDivision, csOwnTeam})
        try {
            CheckCalendar(
                MakeCalendar(division, scope, static_cast<std::int64_t>(flags) << 8).Text);
        } catch (const TStaffelError&) {
            if (scope == csDivision)
                __builtin_trap();
        }
    return 0;
}
