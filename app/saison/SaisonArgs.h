#pragma once
// The command line of staffelplan-saison, read in one place.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct TSaisonArgs {
    std::optional<std::int32_t> Jahr;
    std::optional<std::string> Verein;    // as typed (the system's encoding)
    std::optional<std::string> Vorschlag; // class name as typed
    std::optional<std::string> Tabelle;   // class name as typed
    bool Optimieren = false;
    std::filesystem::path Ordner = ".";
    bool Hilfe = false;
};

// Fails (TStaffelError, German) on an unknown option, a missing value, a
// year that is no number, a second folder or two of --verein, --vorschlag,
// --tabelle and --optimieren.
TSaisonArgs ParseSaisonArgs(const std::vector<std::string>& args);

// A name typed on the command line as field text: UTF-8 becomes
// Windows-1252, anything else is taken as it is.
std::string FieldTextFromArgument(const std::string& typed);

// A typed text „quoted“ for a message.
std::string Quoted(const std::string& text);

// The usage text, German.
const char* SaisonUsage();
