#include "ui/exports/ProposalTexts.h"

#include "data/Records.h"
#include "report/qt/QtText.h"

#include <QLabel>

namespace {
QString SlotText(TSlotName slot) {
    const std::string_view name = SlotFieldName(slot);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}
} // namespace

QString MoveText(const TSlotMove& move) {
    return QStringLiteral("%1: %2 → %3")
        .arg(ToQString(move.Team), SlotText(move.From), SlotText(move.To));
}

QString ClashCountText(int clashes) {
    if (clashes == 0)
        return QStringLiteral("keine Konflikte");
    if (clashes == 1)
        return QStringLiteral("1 Konflikt");
    return QStringLiteral("%1 Konflikte").arg(clashes);
}

QString OtherVersionLoadedText(const QString& notDone) {
    return notDone + QStringLiteral(": Die Datei wurde außerhalb des Programms geändert, und "
                                    "diese Fassung wurde geladen. Die Fassung des Programms "
                                    "steht in der Datei, die die Meldung davor nennt.");
}

TApplyOutcome ApplyTelling(const TApplyAssignments& apply,
                           const std::vector<TSlotAssignment>& assignments, QLabel& status) {
    try {
        return apply(assignments);
    } catch (const std::exception& error) {
        status.setText(QString::fromUtf8(error.what()));
        throw;
    }
}
