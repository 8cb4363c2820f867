// Clearing away the temporary files of saves that were killed.
#include "data/file/AtomicFile.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view TempInfix = ".tmp-";
constexpr std::size_t SuffixLength = 6; // mkostemp's XXXXXX

bool IsSuffixChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The NAME of ".NAME.tmp-XXXXXX", or nothing for any other name.
std::optional<std::string_view> TargetOfTempName(std::string_view entry) {
    const std::size_t tail = TempInfix.size() + SuffixLength;
    if (entry.size() <= 1 + tail || entry.front() != '.')
        return std::nullopt;
    const std::string_view suffix = entry.substr(entry.size() - SuffixLength);
    if (entry.substr(entry.size() - tail, TempInfix.size()) != TempInfix)
        return std::nullopt;
    for (char c : suffix)
        if (!IsSuffixChar(c))
            return std::nullopt;
    return entry.substr(1, entry.size() - 1 - tail);
}

} // namespace

std::vector<std::string> RemoveStaleTempFiles(const std::string& folder,
                                              const std::function<bool(std::string_view)>& ours) {
    std::vector<std::string> removed;
    std::error_code ec;
    const std::filesystem::path base = folder.empty() ? "." : folder;
    for (std::filesystem::directory_iterator it(base, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const auto target = TargetOfTempName(name);
        if (!target || !ours(*target))
            continue;
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (::unlink(it->path().c_str()) == 0)
            removed.push_back(FullPath(it->path().string()));
    }
    return removed;
}
