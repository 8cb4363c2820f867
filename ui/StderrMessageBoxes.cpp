#include "ui/StderrMessageBoxes.h"

#include <iostream>

TConfirmAnswer TStderrMessageBoxes::Confirm(const std::string& question, TConfirmButtons) {
    Write("Frage ohne Antwort", question);
    return caClosed;
}

TConfirmAnswer TStderrMessageBoxes::Choose(const std::string& question, const std::string&,
                                           const std::string&) {
    Write("Frage ohne Antwort", question);
    return caClosed;
}

void TStderrMessageBoxes::Inform(const std::string& text) {
    Write("Hinweis", text);
}

void TStderrMessageBoxes::ShowError(const std::string& text) {
    Write("Fehler", text);
}

void TStderrMessageBoxes::Write(const char* kind, const std::string& text) {
    std::ostream& out = out_ ? *out_ : std::cerr;
    out << ApplicationTitle().toStdString() << ": " << kind << ": " << text << std::endl;
}
