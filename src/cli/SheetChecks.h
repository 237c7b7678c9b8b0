#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The checks beside the wall quantity (the quarter method, the column
// diameter, the column-end joints) as qrn shows them. Each check is one
// entry of CliChecks(); `qrn show`, `qrn show --json` and `qrn check` go
// through the list in its order, so a new check is one more entry (see
// "Adding a check" in docs/architecture.md).
namespace quiren {
class CalcSheet;
}

namespace quiren::cli {

struct CliCheck {
    // The storey's member in `qrn show --json`.
    const char *jsonKey;
    // Whether the sheet holds the check at all; only then has a storey the
    // member.
    bool (*hasData)(const CalcSheet &sheet);
    QString (*storeyJson)(const CalcSheet &sheet, int s);
    // The storey's lines in `qrn show`, a blank line first; empty when the
    // sheet has nothing of the check.
    QString (*storeyText)(const CalcSheet &sheet, int s);
    // What falls short in storey s, one line each for `qrn check`
    // ("path: 1階 ..."), as a terminal may show them; none when it passes
    // or the sheet has nothing of the check.
    QStringList (*storeyShortfalls)(const QString &path, const CalcSheet &sheet, int s);
};

// In the order show and check print them.
const std::vector<CliCheck> &CliChecks();

// The entries, each in the check's own file.
CliCheck BalanceCliCheck();   // BalanceShow.cpp
CliCheck ColumnCliCheck();    // ColumnShow.cpp
CliCheck JointCliCheck();     // JointShow.cpp

} // namespace quiren::cli
