// Any bytes as an iCalendar holiday file: refused with a message, or every
// holiday has a name and ends on or after its first day.
#include "data/StaffelError.h"
#include "season/ICalHolidays.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        for (const TSchoolHoliday& holiday :
             ReadICalHolidays(bytes, "fuzz.ics", "fuzz", 2025, 2026))
            if (holiday.To < holiday.From || holiday.Name.empty()) {
                std::fprintf(stderr, "broken holiday\n");
                std::abort();
            }
    } catch (const TStaffelError&) {
    }
    return 0;
}
