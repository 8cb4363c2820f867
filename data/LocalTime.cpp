#include "data/LocalTime.h"

#include <ctime>

namespace {

void AppendTwoDigits(std::string& out, int value) {
    out += static_cast<char>('0' + value / 10 % 10);
    out += static_cast<char>('0' + value % 10);
}

} // namespace

TLocalTime LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900,
            static_cast<unsigned>(local.tm_mon + 1),
            static_cast<unsigned>(local.tm_mday),
            local.tm_hour,
            local.tm_min,
            local.tm_sec};
}

std::string FormatTime(std::string_view format, int hour, int minute, int second) {
    const bool twelveHours = format.find("AM/PM") != std::string_view::npos ||
                             format.find("am/pm") != std::string_view::npos;
    std::string out;
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        std::size_t run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        int value = -1;
        if (c == 'h' || c == 'H')
            value = twelveHours ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
        else if (c == 'm' || c == 'n' || c == 'M' || c == 'N')
            value = minute;
        else if (c == 's' || c == 'S')
            value = second;
        if (value >= 0) {
            if (run >= 2)
                AppendTwoDigits(out, value);
            else
                out += std::to_string(value);
            i += run;
        } else if (format.substr(i, 5) == "AM/PM") {
            out += hour < 12 ? "AM" : "PM";
            i += 5;
        } else if (format.substr(i, 5) == "am/pm") {
            out += hour < 12 ? "am" : "pm";
            i += 5;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

std::string FileTimeStamp(const TLocalTime& time) {
    std::string stamp = std::to_string(time.Year);
    AppendTwoDigits(stamp, static_cast<int>(time.Month));
    AppendTwoDigits(stamp, static_cast<int>(time.Day));
    stamp += '-';
    AppendTwoDigits(stamp, time.Hour);
    AppendTwoDigits(stamp, time.Minute);
    AppendTwoDigits(stamp, time.Second);
    return stamp;
}
