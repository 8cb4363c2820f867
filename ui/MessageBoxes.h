#pragma once
// Every question and notice of the windows and the navigator goes through
// this one interface, so that tests can answer and record them.
#include <QString>
#include <string>

enum TConfirmButtons {
    cbYesNo,     // "&Ja" / "&Nein"
    cbYesCancel, // "&Ja" / "&Abbrechen"
    cbOkCancel   // "OK" / "Abbrechen"
};

enum TConfirmAnswer {
    caAccept,  // the first button: "&Ja" or "OK"
    caDecline, // the second button
    caClosed   // the box was closed without an answer
};

// Texts are UTF-8.
class TMessageBoxes {
public:
    virtual ~TMessageBoxes() = default;
    // Caption "Bestätigen", question icon; the first button is the default.
    virtual TConfirmAnswer Confirm(const std::string& question, TConfirmButtons buttons) = 0;
    // As Confirm, with two answers of the caller's own wording: caAccept for
    // the first, caDecline for the second.
    virtual TConfirmAnswer Choose(const std::string& question, const std::string& first,
                                  const std::string& second) = 0;
    // Plain box captioned with the application's title, no icon, button "OK".
    virtual void Inform(const std::string& text) = 0;
    // Error box captioned with the application's title.
    virtual void ShowError(const std::string& text) = 0;
};

// The installed boxes; QMessageBox-based unless replaced. While the program
// is being ended from outside, the standard-error ones, whatever is installed:
// nobody may be left to answer.
TMessageBoxes& MessageBoxes();
// Installs boxes (nullptr: the QMessageBox-based ones); returns the former.
TMessageBoxes* SetMessageBoxes(TMessageBoxes* boxes);
// Switches every box to standard error (questions get caClosed) and back.
void SetBoxesNonInteractive(bool nonInteractive);
bool BoxesNonInteractive();

class TQtMessageBoxes : public TMessageBoxes {
public:
    TConfirmAnswer Confirm(const std::string& question, TConfirmButtons buttons) override;
    TConfirmAnswer Choose(const std::string& question, const std::string& first,
                          const std::string& second) override;
    void Inform(const std::string& text) override;
    void ShowError(const std::string& text) override;
};

// The program file's name up to its first point, every letter after the
// first in lower case ("/usr/bin/STAFFELPLAN.exe" gives "Staffelplan").
QString ApplicationTitleFor(const QString& programFile);
// The title of the running program.
QString ApplicationTitle();
