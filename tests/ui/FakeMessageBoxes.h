#pragma once
// Scripted message boxes for widget tests: installs itself for its lifetime,
// answers questions from a queue and records every box shown.
#include "ui/MessageBoxes.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct TShownBox {
    enum TKind { Question, Notice, Error };
    TKind Kind = Notice;
    std::string Text;
    TConfirmButtons Buttons = cbYesNo; // questions only
    std::string First{}, Second{};     // a choice's own answers
    friend bool operator==(const TShownBox&, const TShownBox&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const TShownBox& box) {
    static const char* const kinds[] = {"Question", "Notice", "Error"};
    return out << kinds[box.Kind] << "(\"" << box.Text << "\", buttons " << box.Buttons << ")";
}

class TFakeMessageBoxes : public TMessageBoxes {
public:
    TFakeMessageBoxes() : former_(SetMessageBoxes(this)) {}
    ~TFakeMessageBoxes() override { SetMessageBoxes(former_); }
    TFakeMessageBoxes(const TFakeMessageBoxes&) = delete;
    TFakeMessageBoxes& operator=(const TFakeMessageBoxes&) = delete;

    // The answer to the next question; questions without one fail the test.
    void Answer(TConfirmAnswer answer) { answers_.push_back(answer); }
    // Runs while a box is "up", e.g. to look at the windows behind it.
    std::function<void(const TShownBox&)> OnShow;

    std::vector<TShownBox> Shown;

    std::vector<std::string> Texts(TShownBox::TKind kind) const {
        std::vector<std::string> texts;
        for (const TShownBox& box : Shown)
            if (box.Kind == kind)
                texts.push_back(box.Text);
        return texts;
    }
    std::vector<std::string> Errors() const { return Texts(TShownBox::Error); }
    std::vector<std::string> Notices() const { return Texts(TShownBox::Notice); }
    std::vector<std::string> Questions() const { return Texts(TShownBox::Question); }
    size_t PendingAnswers() const { return answers_.size(); }
    void Clear() { Shown.clear(); }

    TConfirmAnswer Confirm(const std::string& question, TConfirmButtons buttons) override {
        Record({TShownBox::Question, question, buttons});
        return NextAnswer(question);
    }
    TConfirmAnswer Choose(const std::string& question, const std::string& first,
                          const std::string& second) override {
        Record({TShownBox::Question, question, cbYesNo, first, second});
        return NextAnswer(question);
    }
    void Inform(const std::string& text) override { Record({TShownBox::Notice, text}); }
    void ShowError(const std::string& text) override { Record({TShownBox::Error, text}); }

private:
    TConfirmAnswer NextAnswer(const std::string& question) {
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected question: " << question;
            return caClosed;
        }
        const TConfirmAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    void Record(TShownBox box) {
        Shown.push_back(box);
        if (OnShow)
            OnShow(Shown.back());
    }
    TMessageBoxes* former_;
    std::deque<TConfirmAnswer> answers_;
};
