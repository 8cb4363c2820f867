#pragma once
// Plain building blocks of the windows: a panel with a bevel and a colour,
// a panel that reports clicks, and a status bar of fixed panels.
#include <QFrame>
#include <QList>

class QLabel;

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

// Moves a top-level window so that it stands in the middle of its screen.
void CentreOnScreen(QWidget* window);
