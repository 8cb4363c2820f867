#pragma once
// A club's plan to the report output (preview, printer, file), as PDF,
// iCalendar and CSV, and every club's plan as PDFs into one folder.
#include "report/qt/ExecuteLayout.h"
#include "season/Clashes.h"

#include <QString>

#include <cstdint>
#include <functional>

class QWidget;
class TMessageBoxes;

class TClubPlanExports {
public:
    // boxes: nullptr takes the boxes installed at the time of each notice.
    explicit TClubPlanExports(QWidget* parent, TMessageBoxes* boxes = nullptr);

    // The main window's report output, the one the fixture lists use.
    std::function<void(const TPageSource&)> RunPages;
    // Seams; empty ones take the platform's dialogs and the clock.
    std::function<QString(QWidget* parent, const QString& caption, const QString& fileName,
                          const QString& filter)>
        AskSaveFileName;
    std::function<QString(QWidget* parent, const QString& caption)> AskFolder;
    // Before each club of all; false cancels. Empty: a progress dialog.
    std::function<bool(int done, int total)> Progress;
    std::function<std::int64_t()> NowUtc; // seconds since 1970
    std::function<TDaySerial()> OutputDay;

    // Each fails with a German TStaffelError.
    void Print(const TSeason& season, TClubId club);
    void SavePdf(const TSeason& season, TClubId club);
    void ExportCalendar(const TSeason& season, TClubId club);
    void ExportCsv(const TSeason& season, TClubId club);
    void SaveAllPdfs(const TSeason& season);

private:
    QString AskFileName(const QString& caption, const QString& fileName,
                        const QString& filter) const;
    TDaySerial PrintDay() const;
    TMessageBoxes& Boxes() const;

    QWidget* parent_;
    TMessageBoxes* boxes_;
};
