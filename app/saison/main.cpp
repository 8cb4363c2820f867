// staffelplan-saison: the clash list or a club's plan of the data folder on
// standard output, for scripts and shared folders. Writes nothing.
#include "SaisonArgs.h"
#include "SaisonProposal.h"
#include "SaisonTable.h"

#include "data/StaffelError.h"
#include "data/table/RecordTable.h"
#include "report/DivisionValues.h"
#include "report/TieValues.h"
#include "season/ClashCsv.h"
#include "season/ClubPlan.h"
#include "season/ClubTable.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <memory>

namespace {

constexpr int ExitClean = 0;
constexpr int ExitClashes = 1;
constexpr int ExitError = 2;

struct TSaisonData {
    std::vector<TDivisionValues> Divisions;
    std::vector<TClubValues> Clubs;
    std::vector<TTieRecord> Ties;
};

void LoadTable(TRecordTable& table, const std::filesystem::path& file) {
    try {
        table.Load(file.lexically_normal().string());
    } catch (const TStaffelError& error) {
        const std::string path = std::filesystem::absolute(file).lexically_normal().string();
        std::string message = error.what();
        if (message.find(path) == std::string::npos)
            message = "Die Datei \xE2\x80\x9E" + path +
                      "\xE2\x80\x9C kann nicht gelesen werden: " + message;
        throw TStaffelError(message);
    }
}

TSaisonData ReadFolder(const std::filesystem::path& folder) {
    TSaisonData data;
    TRecordTable staffel("t_staffel");
    LoadTable(staffel, folder / "Ligatafel.xml");
    data.Divisions = AllDivisions(staffel);
    const std::filesystem::path clubFile = folder / "Vereine.xml";
    std::error_code ec;
    if (std::filesystem::exists(clubFile, ec)) {
        TRecordTable vereine("t_vereine");
        LoadTable(vereine, clubFile);
        TClubTableRead read = ClubsFromTable(vereine);
        for (const std::string& problem : read.Problems)
            std::cerr << "Hinweis: " << problem << '\n';
        data.Clubs = std::move(read.Clubs);
    }
    if (const auto tieFile = folder / "Begegnungen.xml"; std::filesystem::exists(tieFile, ec)) {
        TRecordTable begegnungen("t_begegnungen");
        LoadTable(begegnungen, tieFile);
        TTieTableRead read = TiesFromTable(begegnungen);
        for (const std::string& problem : read.Problems)
            std::cerr << "Hinweis: " << problem << '\n';
        data.Ties = std::move(read.Ties);
    }
    return data;
}

std::vector<std::unique_ptr<TSeason>> MakeSeasons(const TSaisonData& data,
                                                  const TSaisonArgs& args) {
    std::vector<std::int32_t> years = SeasonYears(data.Divisions);
    const auto withoutYear = std::count_if(data.Divisions.begin(), data.Divisions.end(),
                                           [](const TDivisionValues& d) { return !d.Jahr; });
    if (withoutYear > 0)
        std::cerr << "Hinweis: " << withoutYear
                  << (withoutYear == 1 ? " Staffel ohne Jahr gehört"
                                       : " Staffeln ohne Jahr gehören")
                  << " zu keiner Saison.\n";
    if (args.Jahr)
        years.assign(1, *args.Jahr);
    std::vector<std::unique_ptr<TSeason>> seasons;
    for (std::int32_t year : years) {
        std::vector<TDivisionValues> divisions = DivisionsOfYear(data.Divisions, year);
        if (divisions.empty())
            std::cerr << "Hinweis: Im Jahr " << year << " gibt es keine Staffel.\n";
        std::vector<TTieRecord> ties;
        std::copy_if(data.Ties.begin(), data.Ties.end(), std::back_inserter(ties),
                     [year](const TTieRecord& tie) { return tie.Jahr == year; });
        seasons.push_back(std::make_unique<TSeason>(std::move(divisions),
                                                    TClubDirectory(data.Clubs), std::move(ties)));
    }
    return seasons;
}

int PrintClubPlans(std::vector<std::unique_ptr<TSeason>>& seasons, const std::string& typed) {
    const std::string name = FieldTextFromArgument(typed);
    std::vector<TSeasonClubPlan> plans;
    for (auto& season : seasons) {
        TClubId club = season->Clubs().FindClub(name);
        if (club == NoClub)
            club = season->Clubs().FindClub(StripTeamNumber(name));
        if (club != NoClub)
            plans.push_back({season.get(), MakeClubPlan(*season, club)});
    }
    if (plans.empty())
        throw TStaffelError("Einen Verein \xE2\x80\x9E" + typed + "\xE2\x80\x9C gibt es " +
                            (seasons.size() == 1 ? "in dieser Saison nicht." : "nicht."));
    std::cout << MakeClubPlanCsv(plans, TRegionalSettings::German());
    return ExitClean;
}

int Run(const TSaisonArgs& args) {
    const TSaisonData data = ReadFolder(args.Ordner);
    auto seasons = MakeSeasons(data, args);
    if (args.Verein)
        return PrintClubPlans(seasons, *args.Verein);
    if (args.Vorschlag)
        return PrintProposal(seasons, *args.Vorschlag, args.Jahr);
    if (args.Tabelle)
        return PrintStandings(seasons, *args.Tabelle, args.Jahr);
    if (args.Optimieren)
        return PrintOptimization(seasons);
    std::vector<const TSeason*> all;
    bool clashes = false;
    for (const auto& season : seasons) {
        all.push_back(season.get());
        clashes = clashes || !season->Clashes().empty();
    }
    std::cout << MakeClashCsv(all);
    return clashes ? ExitClashes : ExitClean;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    try {
        const TSaisonArgs args = ParseSaisonArgs(std::vector<std::string>(argv + 1, argv + argc));
        if (args.Hilfe) {
            std::cout << SaisonUsage();
            return ExitClean;
        }
        const int status = Run(args);
        std::cout.flush();
        return std::cout ? status : ExitError;
    } catch (const std::exception& error) {
        std::cerr << "staffelplan-saison: " << error.what() << '\n';
        return ExitError;
    }
}
