#pragma once
// staffelplan-saison's table of one division: the CSV on standard output,
// its footnotes (deductions, withdrawals) on standard error.
#include "season/Clashes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Fails (TStaffelError) when no season, or more than one, has a division of
// that class (as typed).
int PrintStandings(const std::vector<std::unique_ptr<TSeason>>& seasons, const std::string& typed,
                   std::optional<std::int32_t> year);
