#include "ui/controls/DBEdit.h"

#include "report/qt/QtText.h"
#include "ui/ErrorGuard.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

bool FieldAcceptsChar(TColumnType type, QChar c) {
    if (type != ctInteger)
        return true;
    return c == QLatin1Char('+') || c == QLatin1Char('-') ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

namespace {

// Window activation and popups do not leave the field within its window.
bool LeavesWithinWindow(const QFocusEvent* event) {
    return event->reason() != Qt::ActiveWindowFocusReason &&
           event->reason() != Qt::PopupFocusReason;
}

} // namespace

TDBEdit::TDBEdit(QWidget* parent)
    : QLineEdit(parent), link_([this](TTableNotice n, TField* f) { Notify(n, f); }) {
    link_.OnBindingChanged = [this] { Reset(); };
    connect(this, &QLineEdit::textEdited, this, [this] { changed_ = true; });
    UpdateEditState();
}

void TDBEdit::SetDataSource(TDataSource* source) {
    link_.SetDataSource(source);
}

void TDBEdit::SetDataField(const std::string& name) {
    dataField_ = name;
    Reset();
}

void TDBEdit::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    UpdateEditState();
}

TField* TDBEdit::Field() const {
    return link_.FindField(dataField_);
}

void TDBEdit::Reset() {
    TField* field = Field();
    if (field) {
        setMaxLength(field->Type() == ctText && field->Width() > 0 ? field->Width() : 32767);
        setText(ToQString(ShowText ? ShowText(field->AsText()) : field->AsText()));
    } else {
        setMaxLength(32767);
        setText(QString());
    }
    changed_ = false;
    UpdateAlignment();
    UpdateEditState();
}

void TDBEdit::UpdateRecord() {
    TField* field = Field();
    if (!changed_ || !field)
        return;
    try {
        // Refuses a character the file cannot hold; the field reads back
        // through its tnFieldChange.
        field->SetAsText(FromQString(text()));
    } catch (...) {
        // Still entered, the text that failed selected for correcting.
        focused_ = true; // taking the focus back must not read the field
        setFocus(Qt::OtherFocusReason);
        selectAll();
        throw;
    }
    changed_ = false;
}

void TDBEdit::UpdateEditState() {
    const TTableState state = link_.Active() ? link_.Table()->State() : tsInactive;
    const bool editing = Field() && (state == tsEdit || state == tsInsert);
    QLineEdit::setReadOnly(readOnly_ || !editing);
}

void TDBEdit::UpdateAlignment() {
    TField* field = Field();
    const bool right = field && field->Type() == ctInteger && !focused_;
    setAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

bool TDBEdit::AskEdit() {
    if (readOnly_ || !Field() || !DataSource())
        return false;
    const bool editing = DataSource()->Edit();
    UpdateEditState();
    return editing;
}

void TDBEdit::Notify(TTableNotice notice, TField* field) {
    AnswerFieldNotice(*this, link_, notice, field);
    if (notice == tnStateChange || notice == tnEditStart || notice == tnLeaveEdit)
        UpdateEditState();
}

void TDBEdit::keyPressEvent(QKeyEvent* event) {
    bool ok = Guard([&] {
        if (event->key() == Qt::Key_Escape && Field()) {
            Reset();
            selectAll();
            event->accept();
            return;
        }
        const QString typed = event->text();
        const bool control = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
        const bool printable = !typed.isEmpty() && typed.at(0).isPrint() && !control;
        if (printable && Field() && !FieldAcceptsChar(Field()->Type(), typed.at(0))) {
            QApplication::beep();
            event->accept();
            return;
        }
        const bool asksEdit =
            printable || event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
            event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
            (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier) ||
            (control && (event->key() == Qt::Key_V || event->key() == Qt::Key_X));
        if (asksEdit)
            AskEdit();
        QLineEdit::keyPressEvent(event);
    });
    if (!ok)
        event->accept();
}

void TDBEdit::focusInEvent(QFocusEvent* event) {
    // Entering counts once: coming back from another window or a popup does
    // not enter the field again.
    if (!focused_) {
        focused_ = true;
        Guard([&] { Reset(); });
    }
    QLineEdit::focusInEvent(event);
}

void TDBEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (!LeavesWithinWindow(event))
        return;
    Guard([&] {
        UpdateRecord();
        focused_ = false;
        Reset();
    });
}

void TDBEdit::contextMenuEvent(QContextMenuEvent* event) {
    // The editor's own menu; cutting, pasting and undoing ask to edit first,
    // so they are offered also while the table browses.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool writable = !isReadOnly();
    const bool couldEdit =
        writable || (!readOnly_ && Field() && DataSource() && DataSource()->AutoEdit() &&
                     DataSource()->State() == tsBrowse);
    const bool hasText = !QGuiApplication::clipboard()->text().isEmpty();
    auto add = [&](const char* name, const QString& text, bool enabled, auto operation,
                   bool asksEdit) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, operation, asksEdit] {
            Guard([&] {
                if (!asksEdit || AskEdit())
                    operation(this);
            });
        });
    };
    add(
        "edit-undo", QStringLiteral("&Rückgängig"), couldEdit && isUndoAvailable(),
        [](TDBEdit* e) { e->undo(); }, true);
    menu->addSeparator();
    add(
        "edit-cut", QStringLiteral("&Ausschneiden"), couldEdit && hasSelectedText(),
        [](TDBEdit* e) { e->cut(); }, true);
    add(
        "edit-copy", QStringLiteral("&Kopieren"), hasSelectedText(), [](TDBEdit* e) { e->copy(); },
        false);
    add(
        "edit-paste", QStringLiteral("&Einfügen"), couldEdit && hasText,
        [](TDBEdit* e) { e->paste(); }, true);
    add(
        "edit-delete", QStringLiteral("&Löschen"), writable && hasSelectedText(),
        [](TDBEdit* e) { e->del(); }, false);
    menu->addSeparator();
    add(
        "select-all", QStringLiteral("Alles &markieren"), !text().isEmpty(),
        [](TDBEdit* e) { e->selectAll(); }, false);
    menu->popup(event->globalPos());
}

TDBEdit* MakeDBEdit(QWidget* parent, TDataSource* source, const char* field, QRect place,
                    const QFont& font) {
    auto* edit = new TDBEdit(parent);
    edit->setFont(font);
    edit->setGeometry(place);
    edit->SetDataSource(source);
    edit->SetDataField(field);
    return edit;
}
