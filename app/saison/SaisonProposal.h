#pragma once
// staffelplan-saison's slot proposals: the CSV on standard output, the
// clash counts before and after (and why clashes remain) on standard error.
#include "season/Clashes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct TFoundDivision {
    const TSeason* Season = nullptr;
    int Division = 0;
};
// The one division of that class (as typed: exact, else folded); fails
// (TStaffelError) when no season, or more than one, has such a division.
TFoundDivision FindOneDivision(const std::vector<std::unique_ptr<TSeason>>& seasons,
                               const std::string& typed, std::optional<std::int32_t> year);

// The exact proposal for the division of that class (as typed). Fails
// (TStaffelError) when no season, or more than one, has such a division.
int PrintProposal(const std::vector<std::unique_ptr<TSeason>>& seasons, const std::string& typed,
                  std::optional<std::int32_t> year);
// The whole-season improvement of every season.
int PrintOptimization(const std::vector<std::unique_ptr<TSeason>>& seasons);
