#include "SaisonArgs.h"

#include "data/StaffelError.h"
#include "data/file/Cp1252.h"

#include "season/PublicHolidays.h"

#include <charconv>
#include <functional>

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
           "Fehler (auch: eine Datei nicht lesbar, keine Staffel im Jahr JAHR, der Verein\n"
           "NAME ohne Mannschaft, eine unbekannte KLASSE).\n"
           "Sperrtermine in Vereine.xml: JJJJ-MM-TT oder TT.MM.JJJJ, durch Semikolon getrennt.\n"
           "\n"
           "       staffelplan-saison --spieltage --land KZ [--jahr J] [--tage 8|10] [ORDNER]\n"
           "Schl\xC3\xA4gt die Spieltage der Saison J f\xC3\xBCr das Land KZ (NI, BY, NW, "
           "\xE2\x80\xA6) vor\n"
           "(ohne --jahr das laufende Jahr, ab September das folgende): Samstage vom\n"
           "01.09. bis 31.03., die Hinrunde bis 20.12., 2 Wochen Abstand, nicht in den\n"
           "Ferien aus Ferien.xml und nicht an oder neben einem Feiertag, mit den\n"
           "wenigsten Sperrterminen aus Vereine.xml.\n"
           "Ausgabe: Zeilen Spieltag;Datum, die Gr\xC3\xBCnde auf der Fehlerausgabe.\n"
           "Exit-Status: 0 mit Vorschlag, 2 wenn keiner m\xC3\xB6glich ist oder bei einem "
           "Fehler.\n";
}

namespace {

// --spieltage, --land KZ, --tage 8|10; false for any other option.
bool ParseSpieltageOption(const std::string& name, bool inlineValue,
                          const std::function<std::string()>& takeValue, TSaisonArgs& result) {
    if (name == "--spieltage" && !inlineValue) {
        result.Spieltage = true;
    } else if (name == "--land") {
        const std::string code = takeValue();
        if (!StateOfCode(code))
            throw TStaffelError("Ein Land " + Quoted(code) +
                                " gibt es nicht; erwartet wird ein K\xC3\xBCrzel wie NI, BY "
                                "oder NW.");
        result.Land = code;
    } else if (name == "--tage") {
        const std::string count = takeValue();
        if (count != "8" && count != "10")
            throw TStaffelError("Mit --tage sind nur 8 oder 10 Spieltage m\xC3\xB6glich, nicht " +
                                Quoted(count) + ".");
        result.Tage = std::stoi(count);
    } else {
        return false;
    }
    return true;
}

void CheckSpieltageOptions(const TSaisonArgs& args) {
    if (!args.Spieltage) {
        if (args.Land || args.Tage != 8)
            throw TStaffelError("Die Optionen --land und --tage gelten nur mit --spieltage.");
        return;
    }
    if (args.Verein || args.Vorschlag || args.Optimieren)
        throw TStaffelError("--spieltage kann nicht mit --verein, --vorschlag oder --optimieren "
                            "angegeben werden.");
    if (!args.Land)
        throw TStaffelError("--spieltage braucht das Land: --land KZ (etwa NI, BY oder NW).");
}

} // namespace

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
        } else if (ParseSpieltageOption(name, inlineValue, takeValue, result)) {
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
    CheckSpieltageOptions(result);
    return result;
}

std::string FieldTextFromArgument(const std::string& typed) {
    return IsValidUtf8(typed) ? Utf8ToCp1252(typed) : typed;
}
