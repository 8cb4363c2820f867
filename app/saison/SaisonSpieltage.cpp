#include "SaisonSpieltage.h"

#include "season/ClubTable.h"
#include "season/HolidayTable.h"
#include "season/MatchDayProposal.h"

#include <filesystem>
#include <ostream>

namespace {

constexpr int ExitProposal = 0;
constexpr int ExitNone = 2;

// A table of the folder, when its file is there.
bool LoadIfPresent(TRecordTable& table, const std::filesystem::path& file,
                   const TTableLoader& load) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return false;
    load(table, file);
    return true;
}

} // namespace

int PrintMatchDayProposal(const TSaisonArgs& args, const TTableLoader& load, std::ostream& out,
                          std::ostream& err) {
    const TGermanState state = *StateOfCode(args.Land.value_or(""));
    const int year = args.Jahr.value_or(DefaultSeasonYear(Today()));

    std::vector<TSchoolHoliday> holidays;
    TRecordTable ferien("t_ferien");
    if (LoadIfPresent(ferien, args.Ordner / "Ferien.xml", load)) {
        THolidayTableRead read = HolidaysFromTable(ferien);
        for (const std::string& problem : read.Problems)
            err << "Hinweis: " << problem << '\n';
        holidays = std::move(read.Holidays);
    } else {
        err << "Hinweis: Ohne Ferien.xml z\xC3\xA4hlen nur die Feiertage.\n";
    }
    std::vector<TClubValues> clubs;
    TRecordTable vereine("t_vereine");
    if (LoadIfPresent(vereine, args.Ordner / "Vereine.xml", load)) {
        TClubTableRead read = ClubsFromTable(vereine);
        for (const std::string& problem : read.Problems)
            err << "Hinweis: " << problem << '\n';
        clubs = std::move(read.Clubs);
    }

    const TMatchDayProposal proposal = ProposeMatchDays(
        DefaultMatchDayInputs(year, args.Tage), TDaysOff(state, std::move(holidays)), clubs);
    const TRegionalSettings german = TRegionalSettings::German();
    for (const TRuledOutDay& day : proposal.RuledOut)
        err << "Ausgeschlossen: " << german.FormatDate(day.Day) << " (" << day.Reason << ")\n";
    if (proposal.Dates.empty()) {
        err << proposal.Impossible << '\n';
        return ExitNone;
    }
    err << MatchDaySummary(proposal) << '\n';
    out << "Spieltag;Datum\n";
    const std::vector<TSpieltagKey> keys = MatchDayKeys(args.Tage);
    for (std::size_t i = 0; i < keys.size(); ++i)
        out << SpieltagKeyName(keys[i]) << ';' << german.FormatDate(proposal.Dates[i]) << '\n';
    return ExitProposal;
}
