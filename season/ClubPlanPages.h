#pragma once
// A club's plan as A4 pages for the painter, the preview, the printer and
// PDF: a heading with club, season and print date on every page, one line a
// game (home games bold), the page number at the foot.
#include "report/Pages.h"
#include "report/TextMeasure.h"
#include "season/ClubPlan.h"

TReportPages MakeClubPlanPages(const TSeason& season, const TClubPlan& plan,
                               const TRegionalSettings& settings, TDaySerial printDay,
                               const TTextMeasure& measure);
