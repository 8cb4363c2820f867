#pragma once
// The command line of staffelplan-saison, read in one place.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct TSaisonArgs {
    std::optional<std::int32_t> Jahr;
    std::optional<std::string> Verein; // as typed (the system's encoding)
    std::filesystem::path Ordner = ".";
    bool Hilfe = false;
};

// Fails (TStaffelError, German) on an unknown option, a missing value, a
// year that is no number or a second folder.
TSaisonArgs ParseSaisonArgs(const std::vector<std::string>& args);

// The usage text, German.
const char* SaisonUsage();
