#include "season/ClubPlanPages.h"

#include "season/PageWriter.h"

#include <algorithm>

namespace {

constexpr double kLeft = 0.50;
constexpr double kWidth = 7.30;
constexpr double kHeadTop = 1.05; // column titles
constexpr double kFirstRowTop = 1.32;
constexpr double kRowPitch = 0.19;
constexpr double kLastRowBottom = 11.05;
constexpr double kFooterTop = 11.35;

struct TColumn {
    const char* Title; // Windows-1252
    double Left;
    double Width;
};

constexpr TColumn kColumns[] = {
    {"Datum", 0.50, 0.90}, {"Uhrzeit", 1.40, 0.55}, {"Staffel", 1.95, 1.45}, {"Spt.", 3.40, 0.40},
    {"Heim", 3.80, 1.50},  {"Gast", 5.30, 1.50},    {"Ergebnis", 6.80, 1.00}};

void AddHeading(TPageWriter& out, const TClubPlan& plan, const TRegionalSettings& settings,
                TDaySerial printDay) {
    out.GreyBox(0.23, 0.40);
    out.Text(plan.Name, kLeft + 0.10, 0.26, kWidth - 0.20, kTitleFont, pjCenter);
    out.Text("Spielplan der Saison:", kLeft, 0.75, 2.00, kLabelFont);
    out.Text(plan.Year ? std::to_string(*plan.Year) : std::string(), 2.55, 0.75, 1.00, kTextFont);
    out.Text(settings.FormatDate(printDay), 6.80, 0.74, 1.00, kCellFont);
    for (const TColumn& column : kColumns)
        out.Text(column.Title, column.Left, kHeadTop, column.Width, kCellBold);
    out.HLine(kHeadTop + 0.20, 2);
}

void AddGameRow(TPageWriter& out, const TSeason& season, const TClubPlanGame& entry,
                const TRegionalSettings& settings, double top) {
    const TSeasonGame& game = entry.Game;
    const TDivisionValues& division = season.Division(game.Division);
    const TPageFont& font = entry.Home ? kCellBold : kCellFont;
    // A moved tie's date and time carry a star, explained in the footer.
    const std::string moved = game.Moved ? "*" : "";
    const std::string texts[] = {game.Date ? settings.FormatDate(*game.Date) + moved
                                           : std::string(),
                                 FormatClock(game.Clock) + moved,
                                 TrimmedTeam(division.Klasse),
                                 std::string(SpieltagKeyName(game.Day)),
                                 TeamLabel(division, game.Home),
                                 TeamLabel(division, game.Away),
                                 entry.Result};
    for (std::size_t c = 0; c < std::size(kColumns); ++c)
        out.Text(texts[c], kColumns[c].Left, top, kColumns[c].Width - 0.05, font);
}

} // namespace

TReportPages MakeClubPlanPages(const TSeason& season, const TClubPlan& plan,
                               const TRegionalSettings& settings, TDaySerial printDay,
                               const TTextMeasure& measure) {
    const int rowsPerPage = static_cast<int>((kLastRowBottom - kFirstRowTop) / kRowPitch);
    const int games = static_cast<int>(plan.Games.size());
    const int pageCount = std::max(1, (games + rowsPerPage - 1) / rowsPerPage);
    TReportPages pages;
    pages.Title = "Spielplan " + ClubPlanTitleUtf8(plan);
    for (int p = 0; p < pageCount; ++p) {
        TPageWriter out{measure, {}};
        AddHeading(out, plan, settings, printDay);
        const int first = p * rowsPerPage;
        const int last = std::min(games, first + rowsPerPage);
        for (int g = first; g < last; ++g) {
            const double top = kFirstRowTop + (g - first) * kRowPitch;
            // A dashed line where a new date begins.
            if (g > first && plan.Games[g].Game.Date != plan.Games[g - 1].Game.Date)
                out.HLine(top - 0.015, 1, psDash);
            AddGameRow(out, season, plan.Games[g], settings, top);
        }
        if (games == 0)
            out.Text("Keine Spiele in dieser Saison.", kLeft, kFirstRowTop, kWidth, kCellFont);
        out.Text("Heimspiele fett, * verlegt", kLeft, kFooterTop, 2.50, kFootFont);
        out.Text("Seite " + std::to_string(p + 1) + " von " + std::to_string(pageCount), 5.80,
                 kFooterTop, 2.00, kFootFont, pjRight);
        pages.Pages.push_back(std::move(out.Page));
    }
    return pages;
}
