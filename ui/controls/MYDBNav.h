#pragma once
// The record navigator: ten buttons of unequal width bound to one record
// table through a data source. BeforeAction runs before and OnClick after
// every button's table operation.
#include "ui/controls/LayoutButtons.h"
#include "ui/controls/MYDBNavButton.h"
#include "ui/controls/MYDBNavDataLink.h"
#include "ui/controls/MYDBNavTypes.h"

#include <QColor>
#include <QPoint>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>

class TDataSource;

// Docking to a side of the parent; only decides whether the layout snaps
// the width to the buttons (alNone) or keeps it.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TMYDBNav : public QWidget {
    Q_OBJECT
public:
    explicit TMYDBNav(QWidget* parent = nullptr);
    ~TMYDBNav() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    TMButtonSet VisibleButtons() const { return visibleButtons_; }
    void SetVisibleButtons(TMButtonSet buttons);
    const QStringList& Hints() const { return hints_; }
    void SetHints(const QStringList& hints);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    // Read-only: the buttons that change data (insert, delete, edit, post)
    // stay disabled and do nothing; moving and Cancel work as ever.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    bool ConfirmDelete() const { return confirmDelete_; }
    void SetConfirmDelete(bool confirm) { confirmDelete_ = confirm; }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    // The navigator takes the input focus only as a tab stop.
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool tabStop);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show) { showHint_ = show; }
    // Colour of the captions (the font colour); the font is QWidget's.
    QColor FontColor() const;
    void SetFontColor(const QColor& color);

    int WidthUnit() const { return widthUnit_; }
    QPoint MinButtonExtent() const { return minButtonExtent_; }
    TMNavigateBtn FocusIndex() const { return focusIndex_; }
    TMNavButton* Button(TMNavigateBtn id) const { return buttons_[id]; }
    TMNavDataLink& DataLink() const { return *dataLink_; }

    // Runs before the operation; failing is its only way to stop it.
    EMNavClick BeforeAction;
    // Runs after the operation, also after a declined delete or a failed post.
    EMNavClick OnClick;

    // The click sequence: BeforeAction, the operation, OnClick. Failures other
    // than a failed post go on to the caller.
    void ClickButton(TMNavigateBtn button);

    // Sets position and size as the layout allows; use instead of setGeometry
    // while the navigator is hidden, where Qt defers the resize event.
    void SetBounds(int x, int y, int width, int height);
    // Lays the buttons out for the current size and takes the size the
    // layout asks for.
    void Relayout();

    void UpdateMoveButtons();
    void UpdateEditButtons();
    void UpdateAllButtons();
    void ApplyHints();

    // From the buttons: a mouse press moves FocusIndex to the button.
    void ButtonPressed(TMNavButton* button);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TNavLayout PlaceButtons(int width, int height);
    void SetFocusIndex(TMNavigateBtn index);
    bool EnabledFlag() const;

    std::unique_ptr<TMNavDataLink> dataLink_;
    TMButtonSet visibleButtons_ = TMButtonSet::All();
    QStringList hints_;
    int widthUnit_ = 0;
    QPoint minButtonExtent_;
    TMNavigateBtn focusIndex_ = nbFirst;
    bool confirmDelete_ = true;
    bool readOnly_ = false;
    bool flat_ = false;
    bool showHint_ = true;
    TAlign align_ = alNone;
    std::array<TMNavButton*, MNavButtonCount> buttons_{};
};
