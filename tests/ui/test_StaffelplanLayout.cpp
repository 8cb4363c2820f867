// Where the main window's controls stand, that their captions fit, and the tab order.
#include "test_StaffelplanFixture.h"

#include "ui/controls/DBCheckBox.h"
#include "ui/controls/DBGrid.h"
#include "ui/controls/StaffelplanWidgets.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>

namespace {

QRect InClientArea(QWidget* area, QWidget* control) {
    return QRect(control->mapTo(area, QPoint(0, 0)), control->size());
}

bool IsInside(QWidget* widget, QWidget* control) {
    for (; widget; widget = widget->parentWidget())
        if (widget == control)
            return true;
    return false;
}

TEST_F(StaffelplanTest, ControlsStandWhereTheClientAreaPlacesThem) {
    TStaffelplan& w = *window;
    // The menu bar stands above the client area; the window is that much taller.
    EXPECT_EQ(w.ClientArea->size(), QSize(765, 558));
    EXPECT_GT(w.MenuBar->height(), 0);
    EXPECT_EQ(w.ClientArea->pos(), QPoint(0, w.MenuBar->height()));
    EXPECT_EQ(w.size(), QSize(765, 558 + w.MenuBar->height()));
    EXPECT_EQ(w.windowTitle(), "Staffelplan");
    const std::vector<std::pair<QWidget*, QRect>> places = {
        {w.Panel4, {0, 0, 765, 207}},          {w.DBGrid1, {4, 0, 756, 171}},
        {w.MYDBNav1, {4, 174, 751, 25}},       {w.Panel5, {0, 207, 765, 235}},
        {w.DBEdit25, {185, 216, 273, 24}},     {w.DBEdit3, {45, 247, 46, 21}},
        {w.DBEdit2, {185, 247, 165, 21}},      {w.DBCheckBox1, {429, 249, 89, 17}},
        {w.DBEdit4, {613, 247, 146, 21}},      {w.Panel2, {4, 273, 438, 160}},
        {w.Panel1, {449, 273, 311, 160}},      {w.SlotEdits[0], {31, 300, 162, 21}},
        {w.SlotEdits[9], {251, 404, 162, 21}}, {w.DateEdits[0], {500, 300, 81, 21}},
        {w.DateEdits[7], {658, 378, 81, 21}},  {w.DateEdits[8], {500, 404, 81, 21}},
        {w.DateEdits[9], {658, 404, 81, 21}},  {w.Panel3, {0, 442, 765, 67}},
        {w.Button1, {9, 449, 410, 25}},        {w.Button3, {9, 480, 410, 25}},
        {w.Button5, {449, 448, 307, 26}},      {w.Button6, {449, 480, 307, 25}},
        {w.Panel6, {0, 509, 765, 30}},         {w.StatusBar1, {0, 539, 765, 19}},
    };
    for (const auto& [control, place] : places) {
        EXPECT_EQ(InClientArea(w.ClientArea, control), place)
            << control->objectName().toStdString() << " " << control->metaObject()->className();
        EXPECT_TRUE(IsInside(w.ClientArea->childAt(place.center()), control))
            << "click at (" << place.center().x() << ", " << place.center().y() << ")";
    }
    // The navigator's exit button, where a user (and the end-to-end test) clicks it.
    EXPECT_EQ(w.ClientArea->childAt(695, 186), w.MYDBNav1->Button(nbCancel));
    EXPECT_FALSE(w.MYDBNav1->Button(nbRefresh)->isVisible());
}

TEST_F(StaffelplanTest, EveryCaptionFitsItsControl) {
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        QString text;
        int room = widget->width();
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            text = label->text();
            room -= 2 * label->frameWidth();
            const QRect parentArea = label->parentWidget()->rect();
            EXPECT_TRUE(parentArea.contains(label->geometry())) << text.toStdString();
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            text = button->text();
            room -= 8;
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            text = box->text();
            room -= box->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                    box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
        } else if (auto* navButton = qobject_cast<TMNavButton*>(widget)) {
            text = navButton->text();
            room -= 4;
        } else {
            continue;
        }
        if (text.isEmpty() || !widget->isVisibleTo(window.get()))
            continue;
        EXPECT_LE(widget->fontMetrics().horizontalAdvance(text), room) << text.toStdString();
    }
}

TEST_F(StaffelplanTest, TabOrderRunsThroughThePanelRowByRow) {
    std::vector<QWidget*> expected = {window->DBEdit25, window->DBEdit3, window->DBEdit2,
                                      window->DBCheckBox1, window->DBEdit4};
    expected.insert(expected.end(), window->DateEdits.begin(), window->DateEdits.end());
    expected.insert(expected.end(), window->SlotEdits.begin(), window->SlotEdits.end());
    expected.insert(expected.end(),
                    {window->Button1, window->Button3, window->Button5, window->Button6});
    std::vector<QWidget*> order;
    QWidget* widget = window->DBEdit25;
    do {
        if (std::find(expected.begin(), expected.end(), widget) != expected.end())
            order.push_back(widget);
        widget = widget->nextInFocusChain();
    } while (widget != window->DBEdit25 && order.size() < expected.size());
    EXPECT_EQ(order, expected);
}

TEST_F(StaffelplanTest, PanelsHaveTheirColours) {
    EXPECT_EQ(window->Panel5->palette().color(QPalette::Window), QColor(166, 202, 240));
    EXPECT_EQ(window->Panel6->palette().color(QPalette::Window), QColor(192, 220, 192));
    const auto& panels = window->StatusBar1->Panels();
    ASSERT_EQ(panels.size(), 3);
    EXPECT_EQ(panels[0]->width(), 248);
    EXPECT_TRUE(panels[1]->text().startsWith("mailto:"));
    EXPECT_EQ(panels[2]->text(), "Benutzung auf eigene Gefahr");
}

} // namespace
