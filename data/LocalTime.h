#pragma once
// The local clock as the store's dated file names and the copy's class name
// read it.
#include <string>
#include <string_view>

struct TLocalTime {
    int Year = 2000;
    unsigned Month = 1;
    unsigned Day = 1;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

TLocalTime LocalNow();
// Time of day in a long time format ("hh:mm:ss"; h, m/n, s, AM/PM).
std::string FormatTime(std::string_view format, int hour, int minute, int second);

// "YYYYMMDD-HHMMSS", for the names of kept and rescued files.
std::string FileTimeStamp(const TLocalTime& time);
