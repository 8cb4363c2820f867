#include "season/StandingsPages.h"

#include "data/file/Cp1252.h"
#include "season/Clashes.h"
#include "season/PageWriter.h"

#include <algorithm>

namespace {

constexpr double kHeadTop = 1.10;
constexpr double kFirstRowTop = 1.40;
constexpr double kRowPitch = 0.24;
constexpr double kFooterTop = 11.35;

struct TColumn {
    const char* Title; // Windows-1252
    double Left;
    double Width;
    TFontJustify Justify;
};

constexpr TColumn kColumns[scCount] = {
    {"Pl.", 0.50, 0.30, pjRight},    {"Mannschaft", 0.85, 1.85, pjLeft},
    {"Beg.", 2.70, 0.40, pjRight},   {"S", 3.10, 0.30, pjRight},
    {"U", 3.40, 0.30, pjRight},      {"N", 3.70, 0.30, pjRight},
    {"Punkte", 4.00, 0.55, pjRight}, {"Spiele", 4.55, 0.55, pjRight},
    {"+/-", 5.10, 0.40, pjRight},    {"S\xE4tze", 5.50, 0.55, pjRight},
    {"+/-", 6.05, 0.40, pjRight},    {"Ballpunkte", 6.45, 0.85, pjRight},
    {"+/-", 7.30, 0.50, pjRight}};

void AddRow(TPageWriter& out, const TStandingRow& row, double top) {
    const TStandingTexts texts = StandingRowTexts(row);
    for (int c = 0; c < scCount; ++c) {
        // The withdrawal note spans the figures.
        const double width = row.Withdrawn && c == scPlayed ? 2.00 : kColumns[c].Width - 0.04;
        const TFontJustify justify = row.Withdrawn && c == scPlayed ? pjLeft : kColumns[c].Justify;
        out.Text(texts[c], kColumns[c].Left, top, width, c == scPoints ? kCellBold : kCellFont,
                 justify);
    }
}

} // namespace

TStandingTexts StandingRowTexts(const TStandingRow& row) {
    const auto pair = [](const TStandingPair& p) {
        return std::to_string(p.For) + ":" + std::to_string(p.Against);
    };
    const auto difference = [](const TStandingPair& p) {
        return p.Difference() > 0 ? "+" + std::to_string(p.Difference())
                                  : std::to_string(p.Difference());
    };
    TStandingTexts texts;
    texts[scRank] = row.Withdrawn || row.SharedRank ? "" : std::to_string(row.Rank) + ".";
    texts[scTeam] = row.Team;
    if (row.Footnote > 0)
        texts[scTeam] += " " + std::to_string(row.Footnote) + ")";
    if (row.Withdrawn) {
        texts[scPlayed] = "zur\xFC"
                          "ckgezogen";
        return texts;
    }
    texts[scPlayed] = std::to_string(row.Played);
    texts[scWon] = std::to_string(row.Won);
    texts[scDrawn] = std::to_string(row.Drawn);
    texts[scLost] = std::to_string(row.Lost);
    texts[scPoints] = pair(row.Points);
    texts[scSpiele] = pair(row.Spiele);
    texts[scSpieleDiff] = difference(row.Spiele);
    texts[scSaetze] = pair(row.Saetze);
    texts[scSaetzeDiff] = difference(row.Saetze);
    texts[scPunkte] = pair(row.Punkte);
    texts[scPunkteDiff] = difference(row.Punkte);
    return texts;
}

TReportPages MakeStandingsPages(const TDivisionValues& division,
                                const TDivisionStandings& standings,
                                const TRegionalSettings& settings, TDaySerial printDay,
                                const TTextMeasure& measure) {
    TPageWriter out{measure, {}};
    out.GreyBox(0.23, 0.40);
    out.Text("Tabelle " + TrimmedTeam(division.Klasse), out.Left + 0.10, 0.26, out.Width - 0.20,
             kTitleFont, pjCenter);
    out.Text("Saison:", out.Left, 0.75, 1.00, kLabelFont);
    out.Text(division.Jahr ? std::to_string(*division.Jahr) : std::string(), 1.40, 0.75, 1.00,
             kTextFont);
    out.Text(settings.FormatDate(printDay), 6.80, 0.74, 1.00, kCellFont, pjRight);
    for (const TColumn& column : kColumns)
        out.Text(column.Title, column.Left, kHeadTop, column.Width - 0.04, kCellBold,
                 column.Justify);
    out.HLine(kHeadTop + 0.20, 2);

    double top = kFirstRowTop;
    for (const TStandingRow& row : standings.Rows) {
        AddRow(out, row, top);
        top += kRowPitch;
    }
    if (standings.Rows.empty())
        out.Text("Die Staffel hat keine Mannschaften.", out.Left, top, out.Width, kCellFont);
    out.HLine(top + 0.05, 1);
    top += 0.20;
    for (const std::string& note : standings.Footnotes) {
        out.Text(Utf8ToCp1252(note), out.Left, top, out.Width, kFootFont);
        top += 0.17;
    }
    out.Text("Seite 1 von 1", 5.80, kFooterTop, 2.00, kFootFont, pjRight);

    TReportPages pages;
    pages.Title = "Tabelle " + DivisionTitleUtf8(division);
    pages.Pages.push_back(std::move(out.Page));
    return pages;
}

std::vector<TReportPages> MakeAllStandingsPages(const TSeason& season,
                                                const TRegionalSettings& settings,
                                                TDaySerial printDay, const TTextMeasure& measure) {
    std::vector<TReportPages> sets;
    sets.reserve(season.DivisionCount());
    for (int d = 0; d < season.DivisionCount(); ++d)
        sets.push_back(MakeStandingsPages(season.Division(d), MakeStandings(season, d), settings,
                                          printDay, measure));
    return sets;
}
