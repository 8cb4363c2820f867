#pragma once
// Every question and notice of the windows and the navigator goes through
// this one interface, so that tests can answer and record them.
#include "report/qt/ApplicationTitle.h"

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
    // Plain box captioned with the application's title, no icon, button "OK".
    virtual void Inform(const std::string& text) = 0;
    // Error box captioned with the application's title.
    virtual void ShowError(const std::string& text) = 0;
};

// The installed boxes; QMessageBox-based unless replaced.
TMessageBoxes& MessageBoxes();
// Installs boxes (nullptr: the QMessageBox-based ones); returns the former.
TMessageBoxes* SetMessageBoxes(TMessageBoxes* boxes);

class TQtMessageBoxes : public TMessageBoxes {
public:
    TConfirmAnswer Confirm(const std::string& question, TConfirmButtons buttons) override;
    void Inform(const std::string& text) override;
    void ShowError(const std::string& text) override;
};
