// Day serials through std::chrono's civil calendar.
#include "data/Dates.h"

#include <chrono>
#include <ctime>

namespace {

constexpr std::chrono::sys_days Epoch =
    std::chrono::year{1899} / std::chrono::December / std::chrono::day{30};

} // namespace

std::optional<TDaySerial> DayFromCivil(int year, unsigned month, unsigned day) {
    // Years beyond four digits cannot be written in the short date format.
    if (year < 1 || year > 9999 || month > 12 || day > 31)
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                                           std::chrono::day{day}};
    if (!date.ok())
        return std::nullopt;
    return static_cast<TDaySerial>((std::chrono::sys_days{date} - Epoch).count());
}

TCivilDate CivilFromDay(TDaySerial day) {
    const std::chrono::year_month_day date{Epoch + std::chrono::days{day}};
    return {static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
            static_cast<unsigned>(date.day())};
}

TDaySerial Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DayFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                        static_cast<unsigned>(local.tm_mday))
        .value_or(0);
}
