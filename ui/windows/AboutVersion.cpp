#include "ui/windows/AboutVersion.h"

#include <QDir>

#include <charconv>

namespace {

std::optional<std::uint16_t> Number(std::string_view text) {
    unsigned value = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value > 0xFFFF)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

} // namespace

std::optional<TFixedFileVersion> VersionRecordFrom(std::string_view version,
                                                   std::string_view build) {
    std::uint16_t parts[3];
    for (int i = 0; i < 3; ++i) {
        const auto dot = version.find('.');
        if ((i < 2) == (dot == std::string_view::npos))
            return std::nullopt;
        const auto part = Number(version.substr(0, dot));
        if (!part)
            return std::nullopt;
        parts[i] = *part;
        version = dot == std::string_view::npos ? std::string_view() : version.substr(dot + 1);
    }
    const auto buildNumber = Number(build);
    if (!buildNumber)
        return std::nullopt;
    return TFixedFileVersion{std::uint32_t(parts[0]) << 16 | parts[1],
                             std::uint32_t(parts[2]) << 16 | *buildNumber};
}

std::optional<TFixedFileVersion> RunningVersionRecord() {
    return VersionRecordFrom(STAFFEL_VERSION, STAFFEL_BUILD_NUMBER);
}

std::string VersionText(const std::optional<TFixedFileVersion>& record) {
    if (!record)
        return {};
    const auto major = record->FileVersionMS >> 16;
    const auto minor = record->FileVersionMS & 0xFFFF;
    const auto release = record->FileVersionLS >> 16;
    const auto build = record->FileVersionLS & 0xFFFF;
    return "Version: " + std::to_string(major) + "." + std::to_string(minor) + "." +
           std::to_string(release) + "    Build: " + std::to_string(build);
}

std::string VersionText() {
    return VersionText(RunningVersionRecord());
}

std::string TempDirectory() {
    std::string path = QDir::toNativeSeparators(QDir::tempPath()).toStdString();
    const char separator = QDir::separator().toLatin1();
    if (path.empty() || path.back() != separator)
        path += separator;
    return path;
}
