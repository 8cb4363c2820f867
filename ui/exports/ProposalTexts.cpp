#include "ui/exports/ProposalTexts.h"

#include "data/Records.h"
#include "report/qt/QtText.h"

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
