#pragma once

#include <QString>

// The column-end joints of a storey as qrn show prints them.
namespace quiren {
class CalcSheet;
}

namespace quiren::cli {

// The storey's N値 table, a blank line first; empty when it has no columns.
QString JointsText(const CalcSheet &sheet, int s);
// The storey's joints as a JSON object on one line per column.
QString JointsJson(const CalcSheet &sheet, int s);

} // namespace quiren::cli
