#pragma once
// The boxes of a program that is being ended from outside (a signal, the
// session's end, a lost display): nobody is there to answer, so every text
// goes to standard error and no question is answered.
#include "ui/MessageBoxes.h"

#include <ostream>

class TStderrMessageBoxes : public TMessageBoxes {
public:
    // out: nullptr writes to std::cerr.
    explicit TStderrMessageBoxes(std::ostream* out = nullptr) : out_(out) {}

    TConfirmAnswer Confirm(const std::string& question, TConfirmButtons buttons) override;
    TConfirmAnswer Choose(const std::string& question, const std::string& first,
                          const std::string& second) override;
    void Inform(const std::string& text) override;
    void ShowError(const std::string& text) override;

private:
    void Write(const char* kind, const std::string& text);
    std::ostream* out_;
};
