#include "core/calc/ColumnJointEdit.h"

#include "core/calc/CalcSheet.h"
#include "core/text/NumberText.h"

namespace quiren {

namespace {

const QString CrossedSuffix = QStringLiteral(" たすき");

bool isNumberOrEmpty(const QString &text)
{
    const QString t = text.trimmed();
    return t.isEmpty() || CheckNumberText(t) == NumberCheck::Number;
}

JointSide &sideOf(JointColumn &column, int d, JointField field)
{
    const bool second = field == JointField::Kind1 || field == JointField::Brace1 || field == JointField::At1
                        || field == JointField::Typed1;
    return column.directions[d].sides[second ? 1 : 0];
}

const JointSide &sideOf(const JointColumn &column, int d, JointField field)
{
    return sideOf(const_cast<JointColumn &>(column), d, field);
}

} // namespace

QStringList JointBraceChoices()
{
    const QStringList sections{QStringLiteral("1.5×9"), QStringLiteral("3×9"), QStringLiteral("4.5×9"),
                               QStringLiteral("9×9")};
    QStringList choices{QString()};
    choices << sections;
    for (const QString &section : sections)
        choices << section + CrossedSuffix;
    return choices;
}

QStringList JointBraceEndChoices()
{
    return {QStringLiteral("頭"), QStringLiteral("脚")};
}

QStringList JointUpperChoices()
{
    return {QStringLiteral("上階の同名の柱"), QStringLiteral("A2を入力 (上階は出隅)"),
            QStringLiteral("A2を入力 (上階はその他)"), QStringLiteral("他部材で処理")};
}

QString JointFieldText(const JointColumn &column, int d, JointField field)
{
    switch (field) {
    case JointField::Name: return column.name;
    case JointField::Corner: return column.corner ? QStringLiteral("1") : QString();
    case JointField::Kind0:
    case JointField::Kind1: return sideOf(column, d, field).kind;
    case JointField::Brace0:
    case JointField::Brace1: {
        const JointSide &side = sideOf(column, d, field);
        if (side.section.isEmpty() || !JointKindHasWoodBrace(side.kind))
            return {};
        return side.section + (side.crossed ? CrossedSuffix : QString());
    }
    case JointField::At0:
    case JointField::At1: return JointBraceEndChoices().value(sideOf(column, d, field).braceAtHead ? 0 : 1);
    case JointField::Typed0:
    case JointField::Typed1: return sideOf(column, d, field).typed;
    case JointField::Correction: return column.directions[d].correction;
    case JointField::A2: return column.directions[d].a2;
    case JointField::Upper: {
        const QStringList choices = JointUpperChoices();
        switch (column.upper) {
        case UpperPull::Linked: return choices[0];
        case UpperPull::Typed: return choices[column.upperCorner ? 1 : 2];
        case UpperPull::Carried: return choices[3];
        }
        return {};
    }
    case JointField::UpperName: return column.upperName;
    case JointField::Hardware: return column.hardware;
    }
    return {};
}

bool SetJointField(CalcSheet &sheet, int s, int c, int d, JointField field, const QString &text)
{
    std::vector<JointColumn> &columns = sheet.joints[s].columns;
    if (c < 0 || c >= static_cast<int>(columns.size()) || d < 0 || d > 1)
        return false;
    JointColumn before = columns[c];
    JointColumn &column = columns[c];
    switch (field) {
    case JointField::Name: column.name = text; break;
    case JointField::Corner: column.corner = !text.isEmpty(); break;
    case JointField::Kind0:
    case JointField::Kind1: {
        JointSide &side = sideOf(column, d, field);
        side.kind = text;
        // A kind with a wood brace starts at the grid's usual section.
        if (JointKindHasWoodBrace(text) && side.section.isEmpty())
            side.section = QStringLiteral("1.5×9");
        if (!text.isEmpty())
            side.typed.clear();
        break;
    }
    case JointField::Brace0:
    case JointField::Brace1: {
        JointSide &side = sideOf(column, d, field);
        side.crossed = text.endsWith(CrossedSuffix);
        side.section = side.crossed ? text.chopped(CrossedSuffix.size()) : text;
        break;
    }
    case JointField::At0:
    case JointField::At1: sideOf(column, d, field).braceAtHead = text != JointBraceEndChoices().value(1); break;
    case JointField::Typed0:
    case JointField::Typed1:
        if (!isNumberOrEmpty(text))
            return false;
        sideOf(column, d, field).typed = text.trimmed();
        if (!text.trimmed().isEmpty())
            sideOf(column, d, field).kind.clear();
        break;
    case JointField::Correction:
        if (!isNumberOrEmpty(text))
            return false;
        column.directions[d].correction = text.trimmed();
        break;
    case JointField::A2:
        if (!isNumberOrEmpty(text))
            return false;
        column.directions[d].a2 = text.trimmed();
        break;
    case JointField::Upper: {
        const int choice = JointUpperChoices().indexOf(text);
        if (choice < 0)
            return false;
        column.upper = choice == 0 ? UpperPull::Linked : choice == 3 ? UpperPull::Carried : UpperPull::Typed;
        if (choice == 1 || choice == 2)
            column.upperCorner = choice == 1;
        break;
    }
    case JointField::UpperName: column.upperName = text.trimmed(); break;
    case JointField::Hardware: column.hardware = text.trimmed(); break;
    }
    if (!(column == before))
        sheet.changed = true;
    return true;
}

void InsertJointColumn(CalcSheet &sheet, int s, int before)
{
    std::vector<JointColumn> &columns = sheet.joints[s].columns;
    if (before < 0 || before > static_cast<int>(columns.size()))
        before = static_cast<int>(columns.size());
    columns.insert(columns.begin() + before, JointColumn{});
    sheet.changed = true;
}

void RemoveJointColumn(CalcSheet &sheet, int s, int c)
{
    std::vector<JointColumn> &columns = sheet.joints[s].columns;
    if (c < 0 || c >= static_cast<int>(columns.size()))
        return;
    columns.erase(columns.begin() + c);
    sheet.changed = true;
}

void SetJointMethod(CalcSheet &sheet, int s, JointMethod method)
{
    if (sheet.joints[s].method == method)
        return;
    sheet.joints[s].method = method;
    sheet.changed = true;
}

} // namespace quiren
