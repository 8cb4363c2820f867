#pragma once
// Plain building blocks of the windows: a panel with a bevel and a colour,
// a panel that reports clicks, and a status bar of fixed panels.
#include <QColor>
#include <QFrame>
#include <QList>

class QLabel;

// The windows' named colours.
inline const QColor clMaroon(128, 0, 0);
inline const QColor clNavy(0, 0, 128);
inline const QColor clSkyBlue(166, 202, 240);
inline const QColor clMoneyGreen(192, 220, 192);

// A panel with a one-pixel raised bevel, filled with its colour.
class TPanel : public QFrame {
    Q_OBJECT
public:
    explicit TPanel(QWidget* parent, const QColor& colour);
};

// A panel whose click (a left-button release inside it, also on a label
// that stands on it) is reported.
class TClickPanel : public TPanel {
    Q_OBJECT
public:
    using TPanel::TPanel;
signals:
    void Clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// Sunken panels side by side with centred texts; the last one reaches the
// right edge. A click anywhere on it is reported.
class TStatusBar : public QWidget {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent);
    QLabel* AddPanel(const QString& text, int width);
    const QList<QLabel*>& Panels() const { return panels_; }
signals:
    void Clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void PlacePanels();
    QList<QLabel*> panels_;
    QList<int> widths_;
};

// Text colour of a control while it is enabled; disabled, it shows its
// text greyed like every other control.
void SetTextColour(QWidget* widget, const QColor& colour);

// A label whose right edge stands gap pixels left of the control it names,
// centred on the control's height.
QLabel* LabelLeftOf(QWidget* control, const QString& text, const QFont& font, int gap = 4);

// Moves a top-level window so that it stands in the middle of its screen.
void CentreOnScreen(QWidget* window);
