#include "ui/controls/MYDBNav.h"

#include "ui/ErrorGuard.h"
#include "ui/MessageBoxes.h"
#include "ui/controls/DataSource.h"

#include <QKeyEvent>
#include <QPalette>
#include <QPointer>

namespace {

const char* const Captions[MNavButtonCount] = {nullptr,     nullptr,   nullptr,  nullptr,
                                               "neu",       "löschen", "ändern", "speichern",
                                               "abbrechen", "akt"};
const char* const PictureWords[4] = {"FIRST", "PRIOR", "NEXT", "LAST"};
// What a screen reader says for each button: name, description.
const char* const SpokenTexts[MNavButtonCount][2] = {
    {"Erster Datensatz", "Zum ersten Datensatz"},
    {"Voriger Datensatz", "Zum vorigen Datensatz"},
    {"Nächster Datensatz", "Zum nächsten Datensatz"},
    {"Letzter Datensatz", "Zum letzten Datensatz"},
    {"neu", "Einen neuen Datensatz anlegen"},
    {"löschen", "Den ausgewählten Datensatz löschen"},
    {"ändern", "Den ausgewählten Datensatz bearbeiten"},
    {"speichern", "Die Eingaben übernehmen und die Datei speichern"},
    {"abbrechen", "Die Eingaben verwerfen; ohne Bearbeitung das Fenster schließen"},
    {"aktualisieren", "Die Anzeige auffrischen"}};

std::string PostFailureText(const std::string& message) {
    return message == "Indexfehler" ? std::string("Datensatz bereits vorhanden") : message;
}

} // namespace

TMYDBNav::TMYDBNav(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true); // opaque, no caption, no bevels
    setFocusPolicy(Qt::NoFocus);
    dataLink_ = std::make_unique<TMNavDataLink>(this);
    dataLink_->OnBindingChanged = [this] {
        dataLink_->ResetFlags();
        UpdateAllButtons();
    };

    minButtonExtent_ = QPoint(20, 18);
    int x = 0;
    for (int i = 0; i < MNavButtonCount; ++i) {
        const auto id = static_cast<TMNavigateBtn>(i);
        auto* button = new TMNavButton(this, id);
        button->SetFlat(flat_);
        button->setVisible(visibleButtons_.Contains(id));
        button->setEnabled(true);
        button->setGeometry(x, 0, minButtonExtent_.x(), minButtonExtent_.y());
        if (i < 4)
            button->SetPicture(LoadNavPicture(QString::fromLatin1(PictureWords[i])));
        else
            button->setText(QString::fromUtf8(Captions[i]));
        button->setAccessibleName(QString::fromUtf8(SpokenTexts[i][0]));
        button->setAccessibleDescription(QString::fromUtf8(SpokenTexts[i][1]));
        buttons_[i] = button;
        x += minButtonExtent_.x();
    }
    ApplyHints();
    buttons_[nbPrior]->SetStyle(nsAutoRepeat);
    buttons_[nbNext]->SetStyle(nsAutoRepeat);

    SetBounds(0, 0, 241, 25);
    widthUnit_ = 0;
    focusIndex_ = nbFirst;
    confirmDelete_ = true;
}

TMYDBNav::~TMYDBNav() {
    // The link must stop calling back before the buttons go.
    dataLink_.reset();
}

TDataSource* TMYDBNav::DataSource() const {
    return dataLink_->DataSource();
}

void TMYDBNav::SetDataSource(TDataSource* source) {
    dataLink_->SetDataSource(source); // runs UpdateAllButtons through OnBindingChanged
}

void TMYDBNav::SetVisibleButtons(TMButtonSet buttons) {
    visibleButtons_ = buttons;
    for (int i = 0; i < MNavButtonCount; ++i)
        buttons_[i]->setVisible(buttons.Contains(static_cast<TMNavigateBtn>(i)));
    Relayout();
    update();
}

void TMYDBNav::SetHints(const QStringList& hints) {
    hints_ = hints;
    ApplyHints();
}

void TMYDBNav::ApplyHints() {
    for (int i = 0; i < hints_.size() && i < MNavButtonCount; ++i)
        if (!hints_[i].isEmpty())
            buttons_[i]->setToolTip(hints_[i]);
}

void TMYDBNav::SetFlat(bool flat) {
    if (flat == flat_)
        return;
    flat_ = flat;
    for (TMNavButton* button : buttons_)
        button->SetFlat(flat);
}

void TMYDBNav::SetAlign(TAlign align) {
    align_ = align;
    Relayout();
}

void TMYDBNav::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    UpdateAllButtons();
}

void TMYDBNav::SetTabStop(bool tabStop) {
    setFocusPolicy(tabStop ? Qt::TabFocus : Qt::NoFocus);
}

QColor TMYDBNav::FontColor() const {
    return palette().color(QPalette::ButtonText);
}

void TMYDBNav::SetFontColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::ButtonText, color);
    setPalette(pal);
    for (TMNavButton* button : buttons_)
        button->update();
}

TNavLayout TMYDBNav::PlaceButtons(int width, int height) {
    const TNavLayout layout =
        LayoutButtons(width, height, visibleButtons_, align_ != alNone, this->width());
    widthUnit_ = layout.WidthUnit;
    for (int i = 0; i < MNavButtonCount; ++i)
        buttons_[i]->setGeometry(layout.Buttons[i].X, 0, layout.Buttons[i].Width, this->height());
    return layout;
}

void TMYDBNav::SetBounds(int x, int y, int width, int height) {
    const TNavLayout layout = PlaceButtons(width, height);
    setGeometry(x, y, layout.Width, layout.Height);
    Relayout();
}

void TMYDBNav::Relayout() {
    const TNavLayout layout = PlaceButtons(width(), height());
    if (layout.Width != width() || layout.Height != height())
        resize(layout.Width, layout.Height);
    if (size() == QSize(layout.Width, layout.Height))
        PlaceButtons(width(), height()); // hidden: Qt defers the resize event
}

void TMYDBNav::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Guard([&] { Relayout(); });
}

bool TMYDBNav::EnabledFlag() const {
    return !testAttribute(Qt::WA_ForceDisabled);
}

void TMYDBNav::UpdateMoveButtons() {
    const bool ea = EnabledFlag() && dataLink_->Active();
    TRecordTable* table = dataLink_->Table();
    const bool bof = ea && table->Bof();
    const bool eof = ea && table->Eof();
    const bool d = dataLink_->Editing();
    const bool upEnabled = ea && !bof && !d;
    const bool downEnabled = ea && !eof && !d;
    buttons_[nbFirst]->setEnabled(upEnabled);
    buttons_[nbPrior]->setEnabled(upEnabled);
    buttons_[nbNext]->setEnabled(downEnabled);
    buttons_[nbLast]->setEnabled(downEnabled);
    const bool changeRow = ea && !readOnly_ && !d && !(bof && eof);
    buttons_[nbDelete]->setEnabled(changeRow);
    buttons_[nbEdit]->setEnabled(changeRow);
}

void TMYDBNav::UpdateEditButtons() {
    UpdateMoveButtons();
    const bool ea = EnabledFlag() && dataLink_->Active();
    const bool d = dataLink_->Editing();
    buttons_[nbInsert]->setEnabled(ea && !readOnly_ && !d);
    buttons_[nbPost]->setEnabled(ea && !readOnly_ && d);
    buttons_[nbCancel]->setEnabled(true);
    buttons_[nbRefresh]->setEnabled(ea);
}

void TMYDBNav::UpdateAllButtons() {
    if (!(EnabledFlag() && dataLink_->Active())) {
        for (TMNavButton* button : buttons_)
            button->setEnabled(false);
        return;
    }
    UpdateEditButtons();
}

void TMYDBNav::ClickButton(TMNavigateBtn button) {
    if (readOnly_ &&
        (button == nbInsert || button == nbDelete || button == nbEdit || button == nbPost))
        return;
    QPointer<TMYDBNav> self(this);
    if (dataLink_->Active()) {
        if (BeforeAction)
            BeforeAction(this, button);
        if (!self)
            return;
        TRecordTable* table = dataLink_->Active() ? dataLink_->Table() : nullptr;
        if (table) {
            switch (button) {
            case nbFirst:
                table->First();
                break;
            case nbPrior:
                table->Prior();
                break;
            case nbNext:
                table->Next();
                break;
            case nbLast:
                table->Last();
                break;
            case nbInsert:
                table->Insert();
                break;
            case nbEdit:
                table->Edit();
                break;
            case nbCancel:
                table->Cancel();
                break;
            case nbRefresh:
                table->Refresh();
                break;
            case nbDelete:
                if (!confirmDelete_ ||
                    MessageBoxes().Confirm("Datensatz wirklich löschen", cbYesCancel) == caAccept)
                    table->Delete();
                break;
            case nbPost:
                try {
                    table->Post();
                } catch (const std::exception& e) {
                    MessageBoxes().Inform(PostFailureText(e.what()));
                }
                break;
            }
        }
    }
    if (self && OnClick)
        OnClick(this, button);
}

void TMYDBNav::SetFocusIndex(TMNavigateBtn index) {
    if (index == focusIndex_)
        return;
    const TMNavigateBtn old = focusIndex_;
    focusIndex_ = index;
    buttons_[old]->update();
    buttons_[index]->update();
}

void TMYDBNav::ButtonPressed(TMNavButton* button) {
    const TMNavigateBtn old = focusIndex_;
    focusIndex_ = button->ButtonId();
    if (TabStop() && !hasFocus() && isEnabled() && isVisible()) {
        setFocus(Qt::MouseFocusReason);
    } else if (TabStop() && hasFocus() && old != focusIndex_) {
        buttons_[old]->update();
        buttons_[focusIndex_]->update();
    }
}

void TMYDBNav::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    buttons_[focusIndex_]->update();
}

void TMYDBNav::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    buttons_[focusIndex_]->update();
}

void TMYDBNav::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
        if (buttons_[focusIndex_]->isEnabled())
            Guard([&] { ClickButton(focusIndex_); });
        return;
    case Qt::Key_Right:
        // With no visible button further right the mark stays where it is.
        for (int i = focusIndex_ + 1; i < MNavButtonCount; ++i)
            if (visibleButtons_.Contains(static_cast<TMNavigateBtn>(i))) {
                SetFocusIndex(static_cast<TMNavigateBtn>(i));
                break;
            }
        return;
    case Qt::Key_Left:
        for (int i = focusIndex_ - 1; i >= 0; --i)
            if (visibleButtons_.Contains(static_cast<TMNavigateBtn>(i))) {
                SetFocusIndex(static_cast<TMNavigateBtn>(i));
                break;
            }
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TMYDBNav::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        UpdateAllButtons();
}
