#pragma once

#include "core/calc/ColumnJoint.h"

#include <QString>
#include <QStringList>

// The column-end joints' inputs as the window edits them: one field of one
// column and direction at a time, as texts, with the lists its editors offer.
namespace quiren {

enum class JointField {
    Name,        // the column's (direction ignored)
    Corner,      // "1" / "" (direction ignored)
    Kind0, Brace0, At0, Typed0,   // side 0: kind, brace section ("3×9 たすき"), "頭"/"脚", typed multiplier
    Kind1, Brace1, At1, Typed1,
    Correction,  // a typed brace correction
    A2,          // a typed A2
    Upper,       // one of JointUpperChoices() (direction ignored)
    UpperName,   // the storey-2 column's name where it differs (direction ignored)
    Hardware,    // (direction ignored)
};

// "", "1.5×9", "3×9", "4.5×9", "9×9", then the same crossed ("1.5×9 たすき" …).
QStringList JointBraceChoices();
// "頭", "脚".
QStringList JointBraceEndChoices();
// Where A2 comes from: "上階の同名の柱", "A2を入力 (上階は出隅)", "A2を入力 (上階はその他)", "他部材で処理".
QStringList JointUpperChoices();

QString JointFieldText(const JointColumn &column, int d, JointField field);
// Stores a typed text. A number field takes an empty text or a number;
// anything else is refused (false) and nothing changes. Marks the sheet
// changed when something did.
bool SetJointField(CalcSheet &sheet, int s, int c, int d, JointField field, const QString &text);

// A new column before position `before` (at the end when out of range).
void InsertJointColumn(CalcSheet &sheet, int s, int before);
void RemoveJointColumn(CalcSheet &sheet, int s, int c);
void SetJointMethod(CalcSheet &sheet, int s, JointMethod method);

} // namespace quiren
