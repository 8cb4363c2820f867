#pragma once
// The results window's grid, made for typing: a key starts the cell, Tab goes
// to the next field of the same row, Enter (also inside a cell) hands the row
// to OnEnter.
#include <QTableView>

#include <functional>

class TTieGrid : public QTableView {
    Q_OBJECT
public:
    explicit TTieGrid(QWidget* parent = nullptr);

    std::function<void()> OnEnter;
    // Makes the cell current and opens it for typing.
    void EditCell(int row, int column);
    // Whether a cell is open for typing.
    bool Editing() const { return state() == EditingState; }

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
};
