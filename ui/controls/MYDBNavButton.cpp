#include "ui/controls/MYDBNavButton.h"

#include "ui/ErrorGuard.h"
#include "ui/controls/MYDBNav.h"

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

TMNavButton::TMNavButton(TMYDBNav* navigator, TMNavigateBtn id)
    : QAbstractButton(navigator), nav_(navigator), id_(id) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::clicked, this,
            [this] { Guard([&] { nav_->ClickButton(id_); }); });
}

void TMNavButton::SetFlat(bool flat) {
    flat_ = flat;
    update();
}

void TMNavButton::SetPicture(TNavPicture picture) {
    picture_ = std::move(picture);
    update();
}

void TMNavButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        nav_->ButtonPressed(this);
        held_ = true;
        if (style_ & nsAutoRepeat) {
            if (!ticker_) {
                ticker_ = new QTimer(this);
                connect(ticker_, &QTimer::timeout, this, [this] { RepeatTick(); });
            }
            ticker_->setInterval(400);
            ticker_->start();
        }
    }
    QAbstractButton::mousePressEvent(event);
}

void TMNavButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        held_ = false;
        if (ticker_)
            ticker_->stop();
    }
    QAbstractButton::mouseReleaseEvent(event); // clicks when released over the button
}

void TMNavButton::RepeatTick() {
    if (!ticker_)
        return;
    ticker_->setInterval(100);
    if (!(held_ && isDown()))
        return;
    Guard([&] {
        try {
            nav_->ClickButton(id_);
        } catch (...) {
            ticker_->stop(); // before the error box, which would let it tick on
            held_ = false;
            setDown(false);
            throw;
        }
    });
}

bool TMNavButton::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && !nav_->ShowHint())
        return true;
    if (event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverLeave)
        update();
    return QAbstractButton::event(event);
}

namespace {

// A dotted rectangle of single pixels, every second one set.
void DrawFocusMark(QPainter& p, const QRect& r, const QColor& color) {
    p.setPen(color);
    for (int x = r.left(); x <= r.right(); x += 2) {
        p.drawPoint(x, r.top());
        p.drawPoint(x, r.bottom());
    }
    for (int y = r.top() + 2; y < r.bottom(); y += 2) {
        p.drawPoint(r.left(), y);
        p.drawPoint(r.right(), y);
    }
}

} // namespace

void TMNavButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const bool down = isDown();
    const bool enabled = isEnabled();
    const QRect r = rect();

    if (!flat_) {
        qDrawWinButton(&p, r, pal, down, &pal.brush(QPalette::Button));
    } else {
        p.fillRect(r, pal.brush(QPalette::Button));
        if (down)
            qDrawShadePanel(&p, r, pal, true, 1);
        else if (enabled && underMouse())
            qDrawShadePanel(&p, r, pal, false, 1);
    }

    const QPoint shift = down ? QPoint(1, 1) : QPoint(0, 0);
    if (!picture_.Enabled.isNull()) {
        const QPixmap& image = enabled ? picture_.Enabled : picture_.Disabled;
        const QSize size = image.deviceIndependentSize().toSize();
        const QPoint at((r.width() - size.width()) / 2, (r.height() - size.height()) / 2);
        p.drawPixmap(at + shift, image);
    } else if (!text().isEmpty()) {
        p.setFont(font());
        const QRect textRect = r.translated(shift);
        if (enabled) {
            p.setPen(pal.color(QPalette::ButtonText));
            p.drawText(textRect, Qt::AlignCenter, text());
        } else {
            // Embossed, as a disabled caption looks on a raised face.
            p.setPen(pal.color(QPalette::Light));
            p.drawText(textRect.translated(1, 1), Qt::AlignCenter, text());
            p.setPen(pal.color(QPalette::Disabled, QPalette::Dark));
            p.drawText(textRect, Qt::AlignCenter, text());
        }
    }

    if (nav_->hasFocus() && nav_->FocusIndex() == id_) {
        QRect mark = r.adjusted(3, 3, -4, -4); // inclusive pixel rectangle
        if (down)
            mark.translate(1, 1);
        DrawFocusMark(p, mark, pal.color(QPalette::ButtonText));
    }
}
