#include "ui/exports/DivisionContextMenu.h"

#include "ui/ErrorGuard.h"
#include "ui/MessageBoxes.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QContextMenuEvent>
#include <QMenu>

TDivisionContextMenu::TDivisionContextMenu(QWidget* grid, TRecordTable& table, TMessageBoxes* boxes)
    : QObject(grid), grid_(grid), table_(table), boxes_(boxes), menu_(new QMenu(grid)) {
    // A popup does not inherit its parent's font; it speaks like the window.
    menu_->setFont(grid->font());
    const auto add = [this](const QString& text, std::function<void()> work) {
        return AddAction(text, std::move(work));
    };
    CheckPlanAction = add(QStringLiteral("Spielplan prüfen …"), [this] { CheckPlan(); });
    menu_->addSeparator();
    OwnCalendarAction =
        add(QStringLiteral("Spiele der eigenen Mannschaft als Kalender exportieren …"),
            [this] { ExportCalendar(csOwnTeam); });
    DivisionCalendarAction =
        add(QStringLiteral("Alle Spiele der Staffel als Kalender exportieren …"),
            [this] { ExportCalendar(csDivision); });
    CsvAction = add(QStringLiteral("Spielplan als CSV exportieren …"), [this] { ExportCsv(); });
    menu_->addSeparator();
    AllPdfAction =
        add(QStringLiteral("Alle Staffeln als PDF speichern …"), [this] { ExportAllPdf(); });
    connect(menu_, &QMenu::aboutToShow, this, [this] { UpdateActions(); });

    // The right mouse button reaches a scroll area's viewport, the key the grid.
    grid_->installEventFilter(this);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(grid_))
        area->viewport()->installEventFilter(this);
}

QAction* TDivisionContextMenu::AddAction(const QString& text, std::function<void()> work,
                                         QAction* before) {
    auto* action = new QAction(text, menu_);
    menu_->insertAction(before, action);
    divisionActions_.append(action);
    connect(action, &QAction::triggered, this, Guarded([work = std::move(work)](bool) { work(); }));
    return action;
}

TDivisionContextMenu* InstallDivisionContextMenu(QWidget* grid, TRecordTable& table,
                                                 TMessageBoxes* boxes) {
    return new TDivisionContextMenu(grid, table, boxes);
}

bool TDivisionContextMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ContextMenu)
        return QObject::eventFilter(watched, event);
    Guard([&] {
        auto* request = static_cast<QContextMenuEvent*>(event);
        const QPoint position = request->reason() == QContextMenuEvent::Mouse
                                    ? request->globalPos()
                                    : KeyboardMenuPosition();
        UpdateActions();
        if (Popup)
            Popup(*menu_, position);
        else
            menu_->exec(position);
    });
    event->accept();
    return true;
}

// Below the current row, else at the grid's top-left corner.
QPoint TDivisionContextMenu::KeyboardMenuPosition() const {
    if (auto* view = qobject_cast<QAbstractItemView*>(grid_)) {
        const QRect row = view->visualRect(view->currentIndex());
        if (row.isValid())
            return view->viewport()->mapToGlobal(QPoint(row.left() + 8, row.bottom()));
        return view->viewport()->mapToGlobal(QPoint(8, 8));
    }
    return grid_->mapToGlobal(QPoint(8, 8));
}

void TDivisionContextMenu::UpdateActions() {
    const bool hasDivision = table_.Active() && table_.DisplayCount() > 0;
    for (QAction* action : divisionActions_)
        action->setEnabled(hasDivision);
}

QAction* TDivisionContextMenu::AddWindowAction(const QString& text, std::function<void()> open) {
    if (!windowSeparator_)
        menu_->addSeparator();
    windowSeparator_ = true;
    QAction* action = menu_->addAction(text);
    connect(action, &QAction::triggered, this, Guarded([open = std::move(open)](bool) { open(); }));
    return action;
}

TMessageBoxes& TDivisionContextMenu::Boxes() const {
    return boxes_ ? *boxes_ : MessageBoxes();
}
