#include "ui/controls/DBCheckBox.h"

#include "ui/ErrorGuard.h"

#include <QKeyEvent>
#include <cctype>

namespace {

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool WithinWindow(const QFocusEvent* event) {
    return event->reason() != Qt::ActiveWindowFocusReason &&
           event->reason() != Qt::PopupFocusReason;
}

} // namespace

TDBCheckBox::TDBCheckBox(QWidget* parent)
    : QCheckBox(parent), link_([this](TTableNotice n, TField* f) { Notify(n, f); }) {
    setTristate(true);
    link_.OnBindingChanged = [this] { Reset(); };
    Reset();
}

void TDBCheckBox::SetDataSource(TDataSource* source) {
    link_.SetDataSource(source);
}

void TDBCheckBox::SetDataField(const std::string& name) {
    dataField_ = name;
    Reset();
}

TField* TDBCheckBox::Field() const {
    return link_.FindField(dataField_);
}

void TDBCheckBox::Reset() {
    TField* field = Field();
    Qt::CheckState state = Qt::PartiallyChecked;
    if (field && !field->IsNull()) {
        if (field->Type() == ctBoolean) {
            state = field->AsBoolean() ? Qt::Checked : Qt::Unchecked;
        } else {
            const std::string text = field->AsText();
            if (SameText(text, valueChecked_))
                state = Qt::Checked;
            else if (SameText(text, valueUnchecked_))
                state = Qt::Unchecked;
        }
    }
    setCheckState(state);
    changed_ = false;
}

void TDBCheckBox::UpdateRecord() {
    TField* field = Field();
    if (!changed_ || !field)
        return;
    const Qt::CheckState state = checkState();
    if (state == Qt::PartiallyChecked)
        field->Clear();
    else if (field->Type() == ctBoolean)
        field->SetAsBoolean(state == Qt::Checked);
    else
        field->SetAsText(state == Qt::Checked ? valueChecked_ : valueUnchecked_);
    changed_ = false;
}

bool TDBCheckBox::AskEdit() {
    if (readOnly_ || !Field() || !DataSource())
        return false;
    return DataSource()->Edit();
}

void TDBCheckBox::nextCheckState() {
    Guard([&] {
        if (!AskEdit())
            return;
        setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        changed_ = true;
    });
}

void TDBCheckBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace) {
        Guard([&] { AskEdit(); });
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && Field()) {
        Guard([&] { Reset(); });
        event->accept();
        return;
    }
    QCheckBox::keyPressEvent(event); // Space clicks on release
}

void TDBCheckBox::Notify(TTableNotice notice, TField* field) {
    AnswerFieldNotice(*this, link_, notice, field);
}

void TDBCheckBox::focusInEvent(QFocusEvent* event) {
    QCheckBox::focusInEvent(event);
    if (!focused_) {
        focused_ = true;
        Guard([&] { Reset(); });
    }
}

void TDBCheckBox::focusOutEvent(QFocusEvent* event) {
    QCheckBox::focusOutEvent(event);
    if (!WithinWindow(event))
        return;
    Guard([&] {
        try {
            UpdateRecord();
        } catch (...) {
            setFocus(Qt::OtherFocusReason);
            throw;
        }
        focused_ = false;
        Reset();
    });
}
