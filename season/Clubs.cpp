#include "season/Clubs.h"

#include <algorithm>
#include <array>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Windows-1252 letters to lower case.
char LowerCp1252(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
        return static_cast<char>(u + 0x20);
    switch (u) {
    case 0x8A: // Š
    case 0x8C: // Œ
    case 0x8E: // Ž
        return static_cast<char>(u + 0x10);
    case 0x9F: // Ÿ
        return static_cast<char>(0xFF);
    default:
        return c;
    }
}

// The words of a name, one blank between them.
std::string CollapseBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool gap = false;
    for (char c : text) {
        if (IsBlank(c)) {
            gap = !out.empty();
            continue;
        }
        if (gap)
            out += ' ';
        gap = false;
        out += c;
    }
    return out;
}

bool IsArabicTeamNumber(std::string_view word) {
    if (word.empty() || word.size() > 2 || word[0] == '0')
        return false;
    return std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsRomanTeamNumber(std::string_view word) {
    static constexpr std::array<std::string_view, 20> numerals = {
        "I",  "II",  "III",  "IV",  "V",  "VI",  "VII",  "VIII",  "IX",  "X",
        "XI", "XII", "XIII", "XIV", "XV", "XVI", "XVII", "XVIII", "XIX", "XX"};
    if (word.empty() || word.size() > 5)
        return false;
    std::string upper(word);
    for (char& c : upper)
        if (c == 'i' || c == 'v' || c == 'x')
            c = static_cast<char>(c - 'a' + 'A');
    return std::find(numerals.begin(), numerals.end(), upper) != numerals.end();
}

} // namespace

std::string FoldClubName(std::string_view cp1252) {
    std::string folded = CollapseBlanks(cp1252);
    for (char& c : folded)
        c = LowerCp1252(c);
    return folded;
}

bool SameFoldedName(std::string_view a, std::string_view b) {
    // Each side read word by word: blanks around skipped, a run of blanks
    // inside read as one.
    std::size_t i = 0, j = 0;
    const auto skipBlanks = [](std::string_view text, std::size_t& at) {
        while (at < text.size() && IsBlank(text[at]))
            ++at;
    };
    skipBlanks(a, i);
    skipBlanks(b, j);
    while (i < a.size() && j < b.size()) {
        const bool blankA = IsBlank(a[i]), blankB = IsBlank(b[j]);
        if (blankA || blankB) {
            skipBlanks(a, i);
            skipBlanks(b, j);
            // A blank between words on both sides, or trailing on one side.
            if (!(blankA && blankB) && i < a.size() && j < b.size())
                return false;
            if ((i == a.size()) != (j == b.size()))
                return false;
            continue;
        }
        if (LowerCp1252(a[i]) != LowerCp1252(b[j]))
            return false;
        ++i;
        ++j;
    }
    skipBlanks(a, i);
    skipBlanks(b, j);
    return i == a.size() && j == b.size();
}

std::string StripTeamNumber(std::string_view team) {
    std::string name = CollapseBlanks(team);
    const std::size_t blank = name.rfind(' ');
    if (blank == std::string::npos)
        return name;
    std::string_view word = std::string_view(name).substr(blank + 1);
    if (word.size() > 1 && word.back() == '.')
        word.remove_suffix(1);
    if (IsArabicTeamNumber(word) || IsRomanTeamNumber(word))
        name.erase(blank);
    return name;
}

TClubDirectory::TClubDirectory(std::vector<TClubValues> table, TRegionalSettings settings)
    : settings_(std::move(settings)) {
    for (TClubValues& club : table) {
        if (FoldClubName(club.Name).empty() || FindClub(club.Name) != NoClub)
            continue;
        club.Capacity = std::clamp(club.Capacity, 1, MaxCapacity);
        Add(std::move(club));
    }
    tableClubs_ = ClubCount();
}

TClubId TClubDirectory::Add(TClubValues club) {
    std::sort(club.Blocked.begin(), club.Blocked.end());
    club.Blocked.erase(std::unique(club.Blocked.begin(), club.Blocked.end()), club.Blocked.end());
    const TClubId id = ClubCount();
    byFoldedName_.emplace(FoldClubName(club.Name), id);
    clubs_.push_back(std::move(club));
    return id;
}

TClubId TClubDirectory::FindClub(std::string_view name) const {
    const auto found = byFoldedName_.find(FoldClubName(name));
    return found == byFoldedName_.end() ? NoClub : found->second;
}

TClubId TClubDirectory::TableClubOf(const std::string& folded) const {
    const auto found = byFoldedName_.find(folded);
    return found != byFoldedName_.end() && found->second < tableClubs_ ? found->second : NoClub;
}

TClubId TClubDirectory::ClubOfTeam(std::string_view team) {
    const auto cached = byTeam_.find(std::string(team));
    if (cached != byTeam_.end())
        return cached->second;
    TClubId club = NoClub;
    std::string folded = FoldClubName(team);
    if (!folded.empty()) {
        // The whole name first, then each shorter prefix that ends before a blank.
        for (std::size_t end = folded.size(); club == NoClub && end != std::string::npos;
             end = end == 0 ? std::string::npos : folded.rfind(' ', end - 1)) {
            folded.resize(end);
            club = TableClubOf(folded);
        }
        if (club == NoClub) {
            const std::string name = StripTeamNumber(team);
            club = FindClub(name);
            if (club == NoClub)
                club = Add({name, DefaultCapacity, {}});
        }
    }
    byTeam_.emplace(std::string(team), club);
    return club;
}

bool TClubDirectory::IsBlocked(TClubId club, TDaySerial day) const {
    const auto& blocked = clubs_[club].Blocked;
    return !blocked.empty() && std::binary_search(blocked.begin(), blocked.end(), day);
}

std::vector<TClubId> TClubDirectory::ClubsByName() const {
    std::vector<TClubId> ids(clubs_.size());
    for (TClubId id = 0; id < ClubCount(); ++id)
        ids[id] = id;
    std::stable_sort(ids.begin(), ids.end(), [this](TClubId a, TClubId b) {
        return settings_.Compare(clubs_[a].Name, clubs_[b].Name) < 0;
    });
    return ids;
}
