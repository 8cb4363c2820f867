#include "SaisonArgs.h"

#include "data/StaffelError.h"
#include "data/file/Cp1252.h"

#include <charconv>

std::string Quoted(const std::string& text) {
    return "\xE2\x80\x9E" + text + "\xE2\x80\x9C";
}

const char* SaisonUsage() {
    return "Aufruf: staffelplan-saison [--jahr JAHR] [--verein NAME | --vorschlag KLASSE |\n"
           "                          --tabelle KLASSE | --optimieren] [ORDNER]\n"
           "Liest Ligatafel.xml, Vereine.xml und Begegnungen.xml aus ORDNER (sonst dem\n"
           "aktuellen Ordner), schreibt nichts und gibt die Konfliktliste als CSV aus,\n"
           "mit --verein den Spielplan dieses Vereins.\n"
           "--vorschlag KLASSE: die Schl\xC3\xBCsselzahlen dieser Staffel mit den wenigsten\n"
           "Konflikten, --optimieren: die aller Staffeln der Saison, als CSV\n"
           "(Staffel;Mannschaft;von;nach, eine Zeile je Mannschaft, die den Platz wechselt).\n"
           "--tabelle KLASSE: die Tabelle dieser Staffel als CSV (Punktabz\xC3\xBCge als\n"
           "Hinweis auf der Fehlerausgabe).\n"
           "Exit-Status: 0 ohne Konflikte (mit --vorschlag oder --optimieren: Vorschlag\n"
           "ausgegeben, mit --tabelle: Tabelle ausgegeben), 1 mit Konflikten, 2 bei einem\n"
           "Fehler.\n";
}

TSaisonArgs ParseSaisonArgs(const std::vector<std::string>& args) {
    TSaisonArgs result;
    bool folderGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // "--name value" or "--name=value".
        std::string name = arg, value;
        bool inlineValue = false;
        if (arg.rfind("--", 0) == 0) {
            if (const auto eq = arg.find('='); eq != std::string::npos) {
                name = arg.substr(0, eq);
                value = arg.substr(eq + 1);
                inlineValue = true;
            }
        }
        const auto takeValue = [&]() -> std::string {
            if (inlineValue)
                return value;
            if (i + 1 >= args.size())
                throw TStaffelError("Die Option " + name + " braucht einen Wert.");
            return args[++i];
        };
        if (name == "--jahr") {
            const std::string text = takeValue();
            std::int32_t year = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), year);
            if (text.empty() || error != std::errc() || end != text.data() + text.size())
                throw TStaffelError("Das Jahr " + Quoted(text) + " ist keine Zahl.");
            result.Jahr = year;
        } else if (name == "--verein") {
            result.Verein = takeValue();
        } else if (name == "--vorschlag") {
            result.Vorschlag = takeValue();
        } else if (name == "--tabelle") {
            result.Tabelle = takeValue();
        } else if (name == "--optimieren" && !inlineValue) {
            result.Optimieren = true;
        } else if (name == "--hilfe" || name == "--help" || name == "-h") {
            result.Hilfe = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw TStaffelError("Unbekannte Option " + Quoted(arg) + ".");
        } else if (folderGiven) {
            throw TStaffelError("Nur ein Ordner kann angegeben werden, nicht auch " + Quoted(arg) +
                                ".");
        } else {
            result.Ordner = arg;
            folderGiven = true;
        }
    }
    if (int(result.Verein.has_value()) + int(result.Vorschlag.has_value()) +
            int(result.Tabelle.has_value()) + int(result.Optimieren) >
        1)
        throw TStaffelError("Nur eine der Optionen --verein, --vorschlag, --tabelle und "
                            "--optimieren kann angegeben werden.");
    return result;
}

std::string FieldTextFromArgument(const std::string& typed) {
    return IsValidUtf8(typed) ? Utf8ToCp1252(typed) : typed;
}
