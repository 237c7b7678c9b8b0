#pragma once

#include "core/calc/ColumnJoint.h"

#include <QString>

#include <array>
#include <vector>

// The column-end joints of a storey as texts: one row per column, the same
// for the window's table, the printed N値 table and qrn show.
namespace quiren {

struct JointReportDirection {
    std::array<QString, 2> sides;   // "木材 3×9 頭 1.5", "2.5 (入力)", ""
    QString a;                      // "2.0 (補正 +0.5)"; A1/A2 on a ground column: "3.0 / 2.0"
    QString b;                      // "0.8", or "0.8 / 0.5"
    QString l;
    QString h;                      // "2.7", or "2.7 / 3.3"
    QString n;                      // "1.60"
    bool unverified = false;        // the correction is the program's reading
};

struct JointReportRow {
    QString name;
    QString position;               // "出隅" / "その他", with the storey-2 column
    std::array<JointReportDirection, 2> directions;
    QString n;                      // the governing N
    QString joint;                  // "(ほ)" / "5.6超"
    QString kn;                     // "8.5"
    QString hardware;
    QString fitted;                 // the hardware typed, as typed
    QString verdict;                // "OK" / "NG"
    QString problem;
};

// The text of one side of a column.
QString JointSideText(const JointSide &side, const JointSideResult &result);

std::vector<JointReportRow> JointReportRows(const CalcSheet &sheet, int s, const JointStoreyResult &result);

// "柱頭・柱脚の接合 (N値計算法)" with the storey's method.
QString JointTitle(JointMethod method);

} // namespace quiren
