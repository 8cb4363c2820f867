#include "season/ProposalCsv.h"

#include "data/file/Cp1252.h"
#include "report/CsvExport.h"

std::string MakeProposalCsv(const std::vector<TProposedDivision>& divisions) {
    std::string out(CsvByteOrderMark);
    AddCsvLine(out, {"Staffel", "Mannschaft", "von", "nach"});
    for (const TProposedDivision& proposed : divisions) {
        const std::string title = DivisionTitleUtf8(*proposed.Division);
        for (const TSlotMove& move : *proposed.Moves)
            AddCsvLine(out, {title, Cp1252ToUtf8(move.Team), SlotFieldName(move.From),
                             SlotFieldName(move.To)});
    }
    return out;
}
