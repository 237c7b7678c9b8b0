#pragma once

#include "core/calc/CalcSheet.h"
#include "core/calc/Framing.h"

#include <QString>
#include <QStringList>

#include <vector>

// The framing kinds of one sheet: how its rows' kinds resolve under its
// rules and with its kept and the office's certified walls, what the kind
// cell offers, what the sheet tells the user about its walls, and the
// legend of the kinds it uses.
namespace quiren {

// A row's kind resolved under the sheet's rules (two panels on the two faces
// count under the 2025 rules only).
FramingResolution ResolveSheetRow(const CalcSheet &sheet, const FramingRow &row);

// "法令" / "事務所の一覧" / "ﾌｧｲﾙ保存値", as qrn and the sheet name a source.
QString MultiplierSourceName(MultiplierSource source);

// The certified walls (and the office values of unverified law walls) the
// sheet's rows use, with the multipliers they are computed with, in the
// order the rows first use them: what a sheet file keeps.
CertifiedWallList UsedCertifiedWalls(const CalcSheet &sheet);

// Drops the kept multipliers of the walls a kind names: the user chose the
// kind again, so it follows the office's list from now on.
void ForgetKeptWalls(CalcSheet &sheet, const QString &kind);

// What the user is told about the sheet's walls, in Japanese: walls whose
// multiplier is known nowhere (their storeys are not judged), and kept
// walls the office's list lacks or gives another multiplier.
QStringList WallNotices(const CalcSheet &sheet);

// One item of the kind cell's list: a group heading (not choosable) or a
// kind with its multiplier shown beside it.
struct KindChoice {
    QString kind;    // what the cell takes; empty for a heading
    QString label;   // what the list shows
    bool heading = false;
};
std::vector<KindChoice> KindChoices(const CalcSheet &sheet);

// Whether the sheet uses a kind the fixed table of 令46条 on the old sheet
// does not describe (a panel wall of the 告示): its legend then lists the
// kinds it uses instead.
bool UsesLawPanelKinds(const CalcSheet &sheet);

// One line of the legend of the kinds a sheet uses.
struct KindLegendLine {
    QString kind;
    QString multiplier;   // "2.5", "2.5+1.0" for a sum, "※" marked when unverified
    QString provision;
};
// Per kind in use (first use first), its multiplier before any reduction
// and cap, and the provisions it comes from.
std::vector<KindLegendLine> KindLegend(const CalcSheet &sheet);

} // namespace quiren
