#include "ui/controls/StaffelplanWidgets.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

TPanel::TPanel(QWidget* parent, const QColor& colour) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
}

void TClickPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
    TPanel::mouseReleaseEvent(event);
}

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) {}

QLabel* TStatusBar::AddPanel(const QString& text, int width) {
    auto* panel = new QLabel(text, this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setAlignment(Qt::AlignCenter);
    panels_.append(panel);
    widths_.append(width);
    PlacePanels();
    return panel;
}

void TStatusBar::resizeEvent(QResizeEvent*) {
    PlacePanels();
}

void TStatusBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
    QWidget::mouseReleaseEvent(event);
}

void TStatusBar::PlacePanels() {
    int x = 0;
    for (int i = 0; i < panels_.size(); ++i) {
        const bool last = i + 1 == panels_.size();
        const int width = last ? std::max(widths_[i], this->width() - x) : widths_[i];
        // Two pixels of gap between panels, as status bars draw them.
        panels_[i]->setGeometry(x, 2, last ? width : width - 2, height() - 2);
        x += width;
    }
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::WindowText, colour);
        pal.setColor(group, QPalette::Text, colour);
    }
    widget->setPalette(pal);
}

QLabel* LabelLeftOf(QWidget* control, const QString& text, const QFont& font, int gap) {
    auto* label = new QLabel(text, control->parentWidget());
    label->setFont(font);
    label->adjustSize();
    label->move(control->x() - gap - label->width(),
                control->y() + (control->height() - label->height()) / 2);
    return label;
}
