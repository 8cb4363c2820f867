#pragma once
// Several page sets as one PDF, painted like every other output.
#include "report/Pages.h"

#include <QByteArray>
#include <QString>

#include <vector>

// The sets follow each other, each page on its own A4 sheet. The document is
// made in memory so that the caller can write it atomically. Throws
// TStaffelError when the PDF cannot be made.
QByteArray PdfOfPageSets(const std::vector<TReportPages>& pageSets, const QString& title);
