// The number texts, and the after-edit steps of the framing grid fed with
// random cell texts.
//
// Input layout: the whole input is tried as a typed text (UTF-8, then as
// UTF-16), its first eight bytes as a double; then it is cut at each
// newline into edits, each edit's first byte choosing storey, row and column
// and the rest being the text typed into that cell.
#include "FuzzSupport.h"

#include "core/calc/CalcSheet.h"
#include "core/text/NumberText.h"

#include <cfloat>
#include <cmath>
#include <cstring>

using namespace quiren;

namespace {

bool Near(double a, double b, double absolute)
{
    return std::fabs(a - b) <= absolute + std::fabs(b) * 1e-6;
}

// A formatted value must read back as a number close to what was formatted.
void CheckFormatted(const QString &text, double value, double half)
{
    FUZZ_CHECK(CheckNumberText(text) == NumberCheck::Number);
    FUZZ_CHECK(Near(TextValue(text), value, half));
}

void CheckValue(double v)
{
    if (!std::isfinite(v)) {
        (void)FormatFixed4(v);
        (void)SingleText(static_cast<float>(v));
        FUZZ_CHECK(!RoundPlaces(v).has_value());
        return;
    }
    if (std::fabs(v) <= FLT_MAX) {
        CheckFormatted(FormatFixed4(v), v, 0.00005);
        CheckFormatted(FormatDecimal(v, 1, 1), v, 0.05);
        CheckFormatted(FormatFixed2(v), v, 0.005);
        CheckFormatted(FormatLength(v), v, 0.00005);
        const int spaces = LeadingSpaces(v);
        FUZZ_CHECK(spaces == 1 || spaces == 2);
    } else {
        (void)FormatFixed4(v);
    }
    const float f = static_cast<float>(v);
    if (std::isfinite(f)) {
        const QString single = SingleText(f);
        FUZZ_CHECK(CheckNumberText(single) == NumberCheck::Number);
        FUZZ_CHECK(Near(TextValue(single), f, 0.0));
        const QString percent = FormatPercent(f);
        FUZZ_CHECK(percent.endsWith(QLatin1String("% ")));
    }
    if (const std::optional<int> places = RoundPlaces(v)) {
        FUZZ_CHECK(*places >= -32768 && *places <= 32767);
        FUZZ_CHECK(std::fabs(*places - v) <= 0.5);
    }
}

void CheckText(const QString &text)
{
    const NumberCheck check = CheckNumberText(text);
    FUZZ_CHECK(IsSingleNumber(text) == (check == NumberCheck::Number));
    const double v = TextValue(text);
    if (check != NumberCheck::Number) {
        FUZZ_CHECK(v == 0.0);
        FUZZ_CHECK(PlainSingleText(text) == text);
        return;
    }
    FUZZ_CHECK(std::isfinite(v) && std::fabs(v) <= FLT_MAX);
    const QString plain = PlainSingleText(text);
    FUZZ_CHECK(IsSingleNumber(plain));
    FUZZ_CHECK(Near(TextValue(plain), TextSingle(text), 0.0));
    CheckValue(v);
}

class Answers : public EditPrompter {
public:
    explicit Answers(bool yes) : m_yes(yes) {}
    void notANumber() override { ++messages; }
    void invalidNumber() override { ++messages; }
    bool confirmLongLength() override { return m_yes; }
    int messages = 0;

private:
    bool m_yes;
};

bool EmptyOrNumber(const QString &text) { return text.isEmpty() || IsSingleNumber(text); }

void CheckSheet(const CalcSheet &sheet)
{
    for (int s = 0; s < StoreyCount; ++s) {
        for (const FramingRow &row : sheet.framing[s]) {
            for (int c : {ColLength0, ColLength1}) {
                FUZZ_CHECK(row[c].isEmpty() || (IsSingleNumber(row[c]) && TextValue(row[c]) >= 0));
            }
            for (int c : {ColPlaces0, ColPlaces1}) {
                bool ok = true;
                FUZZ_CHECK(row[c].isEmpty() || (row[c].toInt(&ok) >= 0 && ok));
            }
            for (int c : {ColMultiplier0, ColEffective0, ColMultiplier1, ColEffective1})
                FUZZ_CHECK(EmptyOrNumber(row[c]));
        }
    }
    for (int s = 0; s <= sheet.storeyIndex; ++s) {
        const JudgementRow &j = sheet.judgement[s];
        for (int c : {JudgeNecessary0, JudgeSum0, JudgeNecessary1, JudgeSum1})
            FUZZ_CHECK(EmptyOrNumber(j[c]));
        for (int c : {JudgeResult0, JudgeResult1}) {
            const QString &r = j[c];
            FUZZ_CHECK(r.isEmpty() || r == QLatin1String("OK")
                       || (r.endsWith(QLatin1String("% ")) && IsSingleNumber(r.chopped(2))));
        }
    }
}

CertifiedWallList OneWall()
{
    CertifiedWall w;
    w.name = QStringLiteral("認定壁");
    w.multiplier = 4.8f;
    w.displayLine = WallDisplayLine(w.name, w.multiplier);
    return {w};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    quiren::fuzz::InitQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = quiren::fuzz::Bytes(data, size);
    if (size <= 64) {
        CheckText(QString::fromUtf8(bytes));
        CheckText(QString(reinterpret_cast<const QChar *>(bytes.constData()),
                          static_cast<qsizetype>(size / 2)));
    }
    if (size >= 8) {
        double v;
        std::memcpy(&v, data, sizeof v);
        CheckValue(v);
    }

    static const CertifiedWallList walls = OneWall();
    CalcSheet sheet(&walls);
    sheet.SetUpNewSheet();
    sheet.SetStoreyIndex(2);
    const QStringList kinds = sheet.KindList();
    int edits = 0;
    for (const QByteArray &edit : bytes.split('\n')) {
        if (edit.isEmpty() || ++edits > 16)
            continue;
        const unsigned char code = static_cast<unsigned char>(edit[0]);
        const QString text = QString::fromUtf8(edit.mid(1));
        const int s = code % 3;
        const int r = (code / 3) % FramingRowCount(s);
        const int what = (code / 27) % 9;   // 0..6: a framing cell; 7, 8: an area
        if (what == 7) {
            if (EmptyOrNumber(text))
                sheet.SetFloorArea(s, text);
            continue;
        }
        if (what == 8) {
            if (EmptyOrNumber(text))
                sheet.SetProjectedArea(s + 3 * (code & 1), text);
            continue;
        }
        const int column = FramingInputColumns[what];
        QString cell = text;
        if (column == ColKind && !text.isEmpty())
            cell = kinds.value(static_cast<unsigned char>(edit.at(edit.size() - 1)) % kinds.size());
        sheet.row(s, r)[column] = cell;
        Answers answers((code & 0x80) != 0);
        (void)sheet.AfterEdit(s, r, column, answers);
        if (column == ColLength0 || column == ColLength1 || column == ColPlaces0 || column == ColPlaces1) {
            // Whatever was typed, a message was shown or the cell holds a number.
            FUZZ_CHECK(answers.messages > 0 || sheet.row(s, r)[column].isEmpty()
                       || IsSingleNumber(sheet.row(s, r)[column]));
        }
    }
    CheckSheet(sheet);
    return 0;
}
