#pragma once
// One button of the navigator: a speed button without focus of its own that
// shows a pressed look while held and clicks on release over it.
#include "ui/controls/MYDBNavTypes.h"
#include "ui/controls/NavPictures.h"

#include <QAbstractButton>
#include <QTimer>

class TMYDBNav;

enum TMNavButtonStyle : std::uint8_t { nsAutoRepeat = 1 };

class TMNavButton : public QAbstractButton {
    Q_OBJECT
public:
    TMNavButton(TMYDBNav* navigator, TMNavigateBtn id);

    TMNavigateBtn ButtonId() const { return id_; }
    std::uint8_t Style() const { return style_; }
    void SetStyle(std::uint8_t style) { style_ = style; }
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    void SetPicture(TNavPicture picture);
    const TNavPicture& Picture() const { return picture_; }

    // Created on the first press of a repeating button.
    QTimer* RepeatTicker() const { return ticker_; }
    // One tick of the repeat: fires the click while the button is held.
    void RepeatTick();

    QSize sizeHint() const override { return {20, 18}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    TMYDBNav* nav_;
    TMNavigateBtn id_;
    std::uint8_t style_ = 0;
    bool flat_ = false;
    bool held_ = false;
    TNavPicture picture_;
    QTimer* ticker_ = nullptr;
};
