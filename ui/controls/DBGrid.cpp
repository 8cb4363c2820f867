#include "ui/controls/DBGrid.h"

#include "report/qt/QtText.h"

#include "ui/ErrorGuard.h"
#include "ui/MessageBoxes.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

// The narrow column at the left: marks the current row, with an edit or
// insert mark while the table is in that state.
class TDBGridIndicator : public QHeaderView {
public:
    explicit TDBGridIndicator(TDBGrid* grid) : QHeaderView(Qt::Vertical, grid), grid_(grid) {
        setSectionResizeMode(QHeaderView::Fixed);
        setSectionsClickable(false);
        setHighlightSections(false);
        setFixedWidth(11);
    }

protected:
    QSize sizeHint() const override { return {11, QHeaderView::sizeHint().height()}; }

    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        painter->save();
        QHeaderView::paintSection(painter, rect, logicalIndex);
        painter->restore();
        TRecordTable* table = grid_->OpenTable();
        if (!table || logicalIndex != table->DisplayIndex())
            return;
        painter->save();
        painter->setPen(palette().color(QPalette::ButtonText));
        painter->setBrush(palette().color(QPalette::ButtonText));
        const QPoint c = rect.center();
        switch (table->State()) {
        case tsEdit: { // an I-beam
            painter->drawLine(c.x(), c.y() - 4, c.x(), c.y() + 4);
            painter->drawLine(c.x() - 2, c.y() - 4, c.x() + 2, c.y() - 4);
            painter->drawLine(c.x() - 2, c.y() + 4, c.x() + 2, c.y() + 4);
            break;
        }
        case tsInsert: { // an asterisk
            painter->drawLine(c.x(), c.y() - 3, c.x(), c.y() + 3);
            painter->drawLine(c.x() - 3, c.y() - 2, c.x() + 3, c.y() + 2);
            painter->drawLine(c.x() - 3, c.y() + 2, c.x() + 3, c.y() - 2);
            break;
        }
        default: { // a small triangle pointing right
            const QPoint points[3] = {
                {c.x() - 2, c.y() - 4}, {c.x() + 2, c.y()}, {c.x() - 2, c.y() + 4}};
            painter->drawPolygon(points, 3);
            break;
        }
        }
        painter->restore();
    }

    void mousePressEvent(QMouseEvent* event) override {
        const int row = logicalIndexAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton && row >= 0) {
            grid_->setFocus(Qt::MouseFocusReason);
            Guard([&] { grid_->MoveToRow(row); });
        }
        event->accept();
    }
    void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }

private:
    TDBGrid* grid_;
};

TDBGrid::TDBGrid(QWidget* parent)
    : QTableView(parent), link_([this](TTableNotice n, TField* f) { Notify(n, f); }),
      model_(new TDBGridModel(this)), indicator_(new TDBGridIndicator(this)) {
    setVerticalHeader(indicator_);
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setFocusPolicy(Qt::StrongFocus);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setFixedHeight(fontMetrics().height() + 6);
    link_.OnBindingChanged = [this] { Rebind(); };
}

TDBGrid::~TDBGrid() = default;

void TDBGrid::SetDataSource(TDataSource* source) {
    link_.SetDataSource(source);
}

void TDBGrid::SetColumns(std::vector<TDBGridColumn> columns) {
    columns_ = std::move(columns);
    Rebind();
}

QFont TDBGrid::TitleFont() const {
    return horizontalHeader()->font();
}

void TDBGrid::SetTitleFont(const QFont& font) {
    horizontalHeader()->setFont(font);
    horizontalHeader()->setFixedHeight(QFontMetrics(font).height() + 6);
}

TRecordTable* TDBGrid::OpenTable() const {
    return link_.Active() ? link_.Table() : nullptr;
}

void TDBGrid::Rebind() {
    model_->SetSource(link_.Table(), columns_);
    ApplyColumnWidths();
    ShowCurrentRow();
}

int TDBGrid::DefaultColumnWidth(int column) const {
    const QFontMetrics metrics(font());
    const TDBGridColumn& c = model_->Columns()[column];
    const int field = model_->FieldIndex(column);
    int chars = 10;
    if (field >= 0) {
        TField& f = link_.Table()->FieldAt(field);
        switch (f.Type()) {
        case ctInteger:
            chars = 11;
            break;
        case ctText:
            chars = f.Width() > 0 ? f.Width() : 20;
            break;
        case ctBoolean:
            chars = 6;
            break;
        case ctDate:
            chars = 10;
            break;
        }
    }
    const int data = metrics.horizontalAdvance(QLatin1Char('0')) * chars + 4;
    const int title = QFontMetrics(TitleFont()).horizontalAdvance(ToQString(c.FieldName)) + 6;
    return std::max(data, title);
}

void TDBGrid::ApplyColumnWidths() {
    for (int i = 0; i < model_->columnCount(); ++i) {
        const int width = model_->Columns()[i].Width;
        setColumnWidth(i, width > 0 ? width : DefaultColumnWidth(i));
    }
}

void TDBGrid::ShowCurrentRow() {
    TRecordTable* table = OpenTable();
    const int row = table ? table->DisplayIndex() : -1;
    if (row < 0 || row >= model_->rowCount() || model_->columnCount() == 0) {
        selectionModel()->clear();
        return;
    }
    const int column = std::min(column_, model_->columnCount() - 1);
    selectionModel()->setCurrentIndex(model_->index(row, column),
                                      QItemSelectionModel::ClearAndSelect |
                                          QItemSelectionModel::Rows);
    scrollTo(model_->index(row, column), QAbstractItemView::EnsureVisible);
    indicator_->viewport()->update();
}

void TDBGrid::Notify(TTableNotice notice, TField*) {
    switch (notice) {
    case tnRowsChange:
    case tnStateChange:
    case tnFieldChange: {
        const int scroll = verticalScrollBar()->value();
        const int columns = model_->columnCount();
        model_->Refresh();
        if (model_->columnCount() != columns)
            ApplyColumnWidths();
        verticalScrollBar()->setValue(scroll);
        ShowCurrentRow();
        break;
    }
    default:
        break;
    }
}

int TDBGrid::VisibleRowCount() const {
    const int rowHeight = std::max(1, verticalHeader()->defaultSectionSize());
    return std::max(1, viewport()->height() / rowHeight);
}

void TDBGrid::MoveToRow(int row) {
    TRecordTable* table = OpenTable();
    if (!table || row < 0 || row == table->DisplayIndex())
        return;
    table->MoveTo(row);
}

bool TDBGrid::event(QEvent* event) {
    // Tab and Shift+Tab stay in the grid.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QTableView::event(event);
}

void TDBGrid::keyPressEvent(QKeyEvent* event) {
    Guard([&] { HandleKey(event); });
}

void TDBGrid::HandleKey(QKeyEvent* event) {
    TRecordTable* table = OpenTable();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int key = event->key();
    const bool handled = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left ||
                         key == Qt::Key_Right || key == Qt::Key_PageUp || key == Qt::Key_PageDown ||
                         key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_Tab ||
                         key == Qt::Key_Backtab || (key == Qt::Key_Delete && ctrl);
    if (!handled) {
        event->ignore(); // no keyboard search, no editing: leave it to the window
        return;
    }
    event->accept();
    if (!table)
        return;
    // Topmost and lowest rows wholly shown.
    int top = rowAt(0);
    if (top >= 0 && rowViewportPosition(top) < 0 && top + 1 < model_->rowCount())
        ++top;
    int bottom = rowAt(viewport()->height() - 1);
    if (bottom < 0)
        bottom = model_->rowCount() - 1;
    else if (bottom > 0 && rowViewportPosition(bottom) + rowHeight(bottom) > viewport()->height())
        --bottom;
    const int lastColumn = std::max(0, model_->columnCount() - 1);

    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_Down:
    case Qt::Key_Right: {
        const bool up = key == Qt::Key_Up || key == Qt::Key_Left;
        if (ctrl && (key == Qt::Key_Up || key == Qt::Key_Down))
            table->MoveTo(up ? std::max(top, 0) : std::max(bottom, 0));
        else
            table->MoveBy(up ? -1 : 1);
        break;
    }
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const bool up = key == Qt::Key_PageUp;
        if (ctrl)
            table->MoveTo(up ? std::max(top, 0) : std::max(bottom, 0));
        else
            table->MoveBy(up ? -VisibleRowCount() : VisibleRowCount());
        break;
    }
    case Qt::Key_Home:
        table->First();
        break;
    case Qt::Key_End:
        table->Last();
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        const bool back = key == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        if (!back) {
            if (column_ < lastColumn) {
                ++column_; // within the row: the table stays where it is
            } else {
                column_ = 0;
                table->Next();
            }
        } else {
            if (column_ > 0) {
                --column_;
            } else {
                column_ = lastColumn;
                table->Prior();
            }
        }
        ShowCurrentRow();
        break;
    }
    case Qt::Key_Delete:
        if (!readOnly_ && !table->IsEmpty() &&
            MessageBoxes().Confirm("Datensatz löschen?", cbOkCancel) == caAccept)
            table->Delete();
        break;
    default:
        break;
    }
}

void TDBGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) {
        const QPoint pos = event->position().toPoint();
        const int row = rowAt(pos.y());
        const int column = columnAt(pos.x());
        if (column >= 0)
            column_ = column;
        if (row >= 0)
            Guard([&] { MoveToRow(row); });
        ShowCurrentRow();
    }
    event->accept();
}

void TDBGrid::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}
void TDBGrid::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}
void TDBGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void TDBGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    Guard([&] {
        TRecordTable* table = OpenTable();
        if (table && table->State() == tsInsert && !table->Modified())
            table->Cancel();
    });
}
