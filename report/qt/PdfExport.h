#pragma once
// Vector PDF on A4 with embedded fonts.
#include "report/Pages.h"

#include <QString>

// Replaces fileName atomically. Throws TStaffelError when it cannot be written.
void ExportPdf(const TReportPages& pages, const QString& fileName);
