#include "SaisonTable.h"

#include "SaisonProposal.h"

#include "season/Standings.h"

#include <iostream>

int PrintStandings(const std::vector<std::unique_ptr<TSeason>>& seasons, const std::string& typed,
                   std::optional<std::int32_t> year) {
    const auto [season, division] = FindOneDivision(seasons, typed, year);
    const TDivisionStandings standings = MakeStandings(*season, division);
    std::cout << MakeStandingsCsv(standings);
    for (const std::string& footnote : standings.Footnotes)
        std::cerr << "Hinweis: " << footnote << '\n';
    return 0;
}
