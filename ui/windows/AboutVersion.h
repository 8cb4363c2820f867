#pragma once
// The version line of the about box and the working directory of its mail
// link. The version record of the running program is the project's version
// and the build number compiled into it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The fixed file-version block: major.minor in the most significant word,
// release.build in the least significant one (16 bits each).
struct TFixedFileVersion {
    std::uint32_t FileVersionMS = 0;
    std::uint32_t FileVersionLS = 0;
};

// From "major.minor.release" and "build"; none when either is no such text
// of numbers up to 65535.
std::optional<TFixedFileVersion> VersionRecordFrom(std::string_view version,
                                                   std::string_view build);
std::optional<TFixedFileVersion> RunningVersionRecord();

// "Version: 0.8.0    Build: 106"; empty without a record.
std::string VersionText(const std::optional<TFixedFileVersion>& record);
std::string VersionText();

// The user's temporary directory, with its trailing separator.
std::string TempDirectory();
