#include "ui/windows/TieGrid.h"

#include "ui/ErrorGuard.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace {

bool IsEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Enter inside a cell keeps what was typed, then saves the row.
class TTieDelegate : public QStyledItemDelegate {
public:
    explicit TTieDelegate(TTieGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        QStyledItemDelegate::setEditorData(editor, index);
        // What is typed replaces what stood there.
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->selectAll();
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (!IsEnter(event))
            return QStyledItemDelegate::eventFilter(object, event);
        auto* editor = qobject_cast<QWidget*>(object);
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        grid_->setFocus();
        if (grid_->OnEnter)
            Guard([this] { grid_->OnEnter(); });
        return true;
    }

private:
    TTieGrid* grid_;
};

} // namespace

TTieGrid::TTieGrid(QWidget* parent) : QTableView(parent) {
    setItemDelegate(new TTieDelegate(this));
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
}

void TTieGrid::EditCell(int row, int column) {
    const QModelIndex cell = model() ? model()->index(row, column) : QModelIndex();
    if (!cell.isValid())
        return;
    setCurrentIndex(cell);
    scrollTo(cell);
    if (cell.flags() & Qt::ItemIsEditable)
        edit(cell);
}

// Tab and Backtab move between the typed fields of the current row only.
QModelIndex TTieGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = currentIndex();
    if ((cursorAction != MoveNext && cursorAction != MovePrevious) || !current.isValid() ||
        !model())
        return QTableView::moveCursor(cursorAction, modifiers);
    const int columns = model()->columnCount();
    const int step = cursorAction == MoveNext ? 1 : -1;
    for (int c = 1; c <= columns; ++c) {
        const QModelIndex next =
            model()->index(current.row(), (current.column() + step * c + columns) % columns);
        if (next.flags() & Qt::ItemIsEditable)
            return next;
    }
    return current;
}

void TTieGrid::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event) && state() != EditingState) {
        if (OnEnter)
            Guard([this] { OnEnter(); });
        return;
    }
    QTableView::keyPressEvent(event);
}
