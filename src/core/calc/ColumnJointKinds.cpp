// The one place the column-joint check asks about framing kinds: which kinds
// a column side may take and what each gives. It asks the sheet's own kind
// list and multipliers, so the check follows whatever kinds the sheet knows.
#include "core/calc/CalcSheet.h"
#include "core/calc/ColumnJoint.h"
#include "core/calc/Framing.h"
#include "core/calc/SheetWalls.h"

namespace quiren {

namespace {

BraceSize braceSizeOf(const QString &section)
{
    if (section == QStringLiteral("1.5×9"))
        return BraceSize::S15;
    if (section == QStringLiteral("3×9"))
        return BraceSize::S30;
    if (section == QStringLiteral("4.5×9"))
        return BraceSize::S45;
    if (section == QStringLiteral("9×9"))
        return BraceSize::S90;
    return BraceSize::None;
}

// The wall as the 告示 table knows it; only a kind that is that wall alone.
TableWall tableWallOf(const QString &kind, BraceSize size, bool crossed, const FramingShares &shares)
{
    if (kind == QStringLiteral("木材")) {
        switch (size) {
        case BraceSize::S15: return crossed ? TableWall::Crossed15 : TableWall::Brace15;
        case BraceSize::S30: return crossed ? TableWall::Crossed30 : TableWall::Brace30;
        case BraceSize::S45: return crossed ? TableWall::Crossed45 : TableWall::Brace45;
        default: return TableWall::NotInTable;
        }
    }
    if (kind == QStringLiteral("9㎜鉄筋"))
        return TableWall::Brace15;
    if (kind == QStringLiteral("土塗り壁") || kind == QStringLiteral("木摺片面壁")
        || kind == QStringLiteral("木摺両面壁"))
        return TableWall::Lath;
    // A face material of multiplier 2.5 alone (structural plywood and the
    // like).
    if (shares.braces() == 0.0f && shares.wall == 2.5f)
        return TableWall::Plywood;
    return TableWall::NotInTable;
}

} // namespace

QStringList JointKindList(const CalcSheet &sheet)
{
    // The framing grid's own list, less its group headings and "ｸﾘﾔ".
    QStringList kinds;
    for (const KindChoice &choice : KindChoices(sheet)) {
        if (!choice.heading && !choice.kind.isEmpty() && choice.kind != framing::Clear)
            kinds << choice.kind;
    }
    return kinds;
}

bool JointKindHasWoodBrace(const QString &kind)
{
    return HasWoodBrace(kind);
}

JointKindShares JointKindSharesOf(const CalcSheet &sheet, const QString &kind, const QString &section,
                                  bool crossed)
{
    JointKindShares out;
    const QString xBracing = crossed ? framing::Crossed : framing::Single;
    FramingRow row;
    row[ColKind] = kind;
    row[ColSection] = section;
    row[ColXBracing] = xBracing;
    const FramingShares shares = ResolveSheetRow(sheet, row).shares;
    // The actual multiplier: no cap here.
    out.multiplier = shares.sum();
    if (HasWoodBrace(kind)) {
        out.brace.size = braceSizeOf(section);
        out.brace.crossed = crossed;
    } else if (shares.braces() > 0.0f) {
        out.brace.size = BraceSize::Bar;
    }
    out.tableWall = tableWallOf(kind, HasWoodBrace(kind) ? braceSizeOf(section) : BraceSize::None, crossed,
                                shares);
    return out;
}

} // namespace quiren
