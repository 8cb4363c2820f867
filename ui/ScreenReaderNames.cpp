#include "ui/ScreenReaderNames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include <cstdlib>

namespace {

// "&Übernehmen …" and "Verein:" are read as "Übernehmen" and "Verein".
QString Spoken(QString text) {
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    while (text.endsWith(QChar(0x2026)) || text.endsWith(QLatin1Char(':')) ||
           text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text.simplified();
}

// The label whose buddy the control is, else the nearest one left of it on
// its row or right above it.
QString LabelOf(QWidget& window, QWidget& control) {
    const QRect place(control.mapTo(&window, QPoint(0, 0)), control.size());
    QString best;
    int bestDistance = 1 << 30;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || !label->isVisibleTo(&window))
            continue;
        if (label->buddy() == &control)
            return Spoken(label->text());
        const QRect at(label->mapTo(&window, QPoint(0, 0)), label->size());
        const bool leftOnRow = at.right() <= place.left() + 4 &&
                               std::abs(at.center().y() - place.center().y()) <= place.height();
        const bool above = at.bottom() <= place.top() + 4 && place.top() - at.bottom() <= 30 &&
                           std::abs(at.left() - place.left()) <= 40;
        if (!leftOnRow && !above)
            continue;
        const int distance = leftOnRow ? place.left() - at.right() : place.top() - at.bottom();
        if (distance < bestDistance) {
            bestDistance = distance;
            best = Spoken(label->text());
        }
    }
    return best;
}

QString KindOf(QWidget& control) {
    if (qobject_cast<QAbstractButton*>(&control))
        return QStringLiteral("Schaltfläche");
    if (qobject_cast<QAbstractItemView*>(&control))
        return QStringLiteral("Liste");
    if (qobject_cast<QComboBox*>(&control))
        return QStringLiteral("Auswahl");
    if (qobject_cast<QTabWidget*>(&control) || qobject_cast<QTabBar*>(&control))
        return QStringLiteral("Registerkarten");
    return QStringLiteral("Eingabefeld");
}

bool IsInput(QWidget& control) {
    return qobject_cast<QAbstractButton*>(&control) ||
           qobject_cast<QAbstractItemView*>(&control) || qobject_cast<QLineEdit*>(&control) ||
           qobject_cast<QAbstractSpinBox*>(&control) || qobject_cast<QComboBox*>(&control) ||
           qobject_cast<QPlainTextEdit*>(&control) || qobject_cast<QTextEdit*>(&control) ||
           qobject_cast<QTabWidget*>(&control) || qobject_cast<QTabBar*>(&control);
}

} // namespace

void NameRemainingControls(QWidget& window) {
    if (QLayout* layout = window.layout())
        layout->activate(); // the labels' places decide which one names a control
    const QString title = Spoken(window.windowTitle());
    for (QWidget* control : window.findChildren<QWidget*>()) {
        // A grid's own parts and a combo box's line speak through their owner.
        if (!IsInput(*control) || qobject_cast<QAbstractItemView*>(control->parentWidget()) ||
            qobject_cast<QComboBox*>(control->parentWidget()) ||
            qobject_cast<QAbstractSpinBox*>(control->parentWidget()))
            continue;
        if (control->accessibleName().isEmpty()) {
            QString name;
            if (auto* button = qobject_cast<QAbstractButton*>(control))
                name = Spoken(button->text());
            if (name.isEmpty())
                name = LabelOf(window, *control);
            if (name.isEmpty() && KindOf(*control) == QStringLiteral("Registerkarten"))
                name = KindOf(*control);
            if (name.isEmpty())
                name = control->toolTip().isEmpty() ? title : Spoken(control->toolTip());
            control->setAccessibleName(name);
        }
        if (control->accessibleDescription().isEmpty())
            control->setAccessibleDescription(KindOf(*control) + QStringLiteral(" im Fenster „") +
                                              title + QStringLiteral("“"));
    }
}
