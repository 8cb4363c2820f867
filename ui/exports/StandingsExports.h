#pragma once
// A division's table to the report output (preview, printer, file), as PDF
// and CSV, and every division's table of a season as one PDF.
#include "report/DivisionValues.h"
#include "report/qt/ExecuteLayout.h"
#include "season/Standings.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QWidget;
class TSeason;

// The tables of every division of the season, one page each, as a PDF
// document (the menu's routine, also measured by the benchmark).
QByteArray AllStandingsPdf(const TSeason& season, const TRegionalSettings& settings,
                           TDaySerial printDay);

class TStandingsExports {
public:
    explicit TStandingsExports(QWidget* parent) : parent_(parent) {}

    // The main window's report output, the one the fixture lists use.
    std::function<void(const TPageSource&)> RunPages;
    // Seams; empty ones take the platform's dialog and the clock.
    std::function<QString(QWidget* parent, const QString& caption, const QString& fileName,
                          const QString& filter)>
        AskSaveFileName;
    std::function<TDaySerial()> OutputDay;

    // Each fails with a German TStaffelError.
    void Print(const TDivisionValues& division, const TDivisionStandings& standings,
               const TRegionalSettings& settings);
    void SavePdf(const TDivisionValues& division, const TDivisionStandings& standings,
                 const TRegionalSettings& settings);
    void ExportCsv(const TDivisionValues& division, const TDivisionStandings& standings);
    void SaveAllPdf(const TSeason& season, const TRegionalSettings& settings);

private:
    QString AskFileName(const QString& caption, const QString& fileName,
                        const QString& filter) const;
    TDaySerial PrintDay() const;

    QWidget* parent_;
};
