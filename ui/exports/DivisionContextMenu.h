#pragma once
// The division list's context menu: the plan check and the exports of the
// current division, and all divisions as one PDF. Opened by the right mouse
// button and by the context-menu key.
#include "data/Dates.h"
#include "data/table/RecordTable.h"
#include "report/ICalExport.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <functional>

class QAction;
class QDialog;
class QMenu;
class QWidget;
class TMessageBoxes;

class TDivisionContextMenu : public QObject {
    Q_OBJECT
public:
    // boxes: nullptr takes the boxes installed at the time of each notice.
    TDivisionContextMenu(QWidget* grid, TRecordTable& table, TMessageBoxes* boxes = nullptr);

    QMenu* Menu() const { return menu_; }
    // A further entry, guarded, enabled like the others; before: nullptr
    // appends it.
    QAction* AddAction(const QString& text, std::function<void()> work, QAction* before = nullptr);
    QAction* CheckPlanAction = nullptr;
    QAction* OwnCalendarAction = nullptr;
    QAction* DivisionCalendarAction = nullptr;
    QAction* CsvAction = nullptr;
    QAction* AllPdfAction = nullptr;

    // An entry that opens another window; enabled also without a division.
    QAction* AddWindowAction(const QString& text, std::function<void()> open);
    // The clubs for the plan check's season; none: every club has the defaults.
    TRecordTable* ClubTable = nullptr;
    // The tie records: moved, cancelled and played ties in the checks and exports.
    TRecordTable* TieTable = nullptr;

    // Seams; empty ones take the platform's dialogs and the clock.
    // Returns the chosen file name, empty when cancelled.
    std::function<QString(QWidget* parent, const QString& caption, const QString& fileName,
                          const QString& filter)>
        AskSaveFileName;
    std::function<int(QDialog&)> ShowModal;
    std::function<void(QMenu&, const QPoint& globalPos)> Popup;
    std::function<std::int64_t()> NowUtc; // seconds since 1970
    std::function<TDaySerial()> OutputDay;

    // The actions' work; each fails with a TStaffelError that the menu's
    // guard shows.
    void CheckPlan();
    void ExportCalendar(TCalendarScope scope);
    void ExportCsv();
    void ExportAllPdf();

    // Enables the division's entries exactly when there is a division.
    void UpdateActions();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPoint KeyboardMenuPosition() const;
    QString AskFileName(const QString& caption, const QString& fileName,
                        const QString& filter) const;
    TMessageBoxes& Boxes() const;

    QWidget* grid_;
    TRecordTable& table_;
    TMessageBoxes* boxes_;
    QMenu* menu_;
    QList<QAction*> divisionActions_;
    bool windowSeparator_ = false;
};

// Installs the menu on the grid; it lives as long as the grid.
TDivisionContextMenu* InstallDivisionContextMenu(QWidget* grid, TRecordTable& table,
                                                 TMessageBoxes* boxes = nullptr);
