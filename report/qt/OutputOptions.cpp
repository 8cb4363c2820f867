#include "report/qt/OutputOptions.h"

#include "report/SnapshotFile.h"

#include <QStringList>

#include <algorithm>
#include <optional>

QString FileNameWithExtension(const QString& trimmedName, TReportFileFormat format) {
    if (trimmedName.contains(QLatin1Char('.')))
        return trimmedName;
    if (format == ffNativePrinter)
        return trimmedName + QStringLiteral(".prn");
    return trimmedName + QString::fromUtf8(SnapshotExtension.data(),
                                           static_cast<qsizetype>(SnapshotExtension.size()));
}

namespace {

// A piece of a selection: "", "7" or a number too large for int is no number.
std::optional<int> PageNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

std::vector<int> SelectedPages(const QString& selection, int first, int last, int pageCount) {
    std::vector<int> pages;
    auto addRange = [&](int from, int to) {
        from = std::max(from, 1);
        to = std::min(to, pageCount);
        for (int page = from; page <= to; ++page)
            pages.push_back(page);
    };
    if (selection.trimmed().isEmpty()) {
        addRange(first, last);
        return pages;
    }
    for (const QString& piece : selection.split(QLatin1Char(','))) {
        const qsizetype dash = piece.indexOf(QLatin1Char('-'));
        if (dash < 0) {
            if (auto page = PageNumber(piece))
                addRange(*page, *page);
            continue;
        }
        const QString left = piece.left(dash).trimmed();
        const QString right = piece.mid(dash + 1).trimmed();
        const auto from = left.isEmpty() ? std::optional<int>(1) : PageNumber(left);
        const auto to = right.isEmpty() ? std::optional<int>(pageCount) : PageNumber(right);
        if (from && to)
            addRange(*from, *to);
    }
    return pages;
}

std::vector<int> SelectedPages(const TOutputOptions& options, int pageCount) {
    return SelectedPages(options.PageSelection, options.FirstPage, options.LastPage, pageCount);
}
