#pragma once
// The page-snapshot file: the generated pages in a small versioned binary
// form that holds everything needed to paint them again.
#include "report/Pages.h"

#include <string>
#include <string_view>

inline constexpr std::string_view SnapshotExtension = ".spp";
// Wording for format lists and file dialogs.
inline constexpr std::string_view SnapshotFormatName = "Staffelplan Pages";
inline constexpr std::string_view SnapshotFileFilter = "Staffelplan Pages (*.spp)";

std::string EncodeSnapshot(const TReportPages& pages);
// Throws TStaffelError for foreign, truncated or damaged content.
TReportPages DecodeSnapshot(std::string_view bytes);

// Written to a temporary file in the same folder, then renamed over fileName.
// fileName is UTF-8. Failures throw TStaffelError naming the full path.
void WriteSnapshotFile(const std::string& fileName, const TReportPages& pages);
TReportPages ReadSnapshotFile(const std::string& fileName);
