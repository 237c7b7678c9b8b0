// The sheet-file reader, the step that applies a file to a new sheet, and
// the conversion to and from the calculation file.
//
// Expectations beyond "no crash": what the reader accepts is within the
// ranges the file promises; writing it and reading it back gives the same
// bytes again; the sheet applied from it is unchanged and under the file's
// rules; what a save of that sheet writes is read back; and an old-rule
// sheet in the form the program writes a ".qrn" goes through ".qrn2" and
// back to the same ".qrn" bytes.
#include "FuzzSupport.h"

#include "core/calc/CalcSheet.h"
#include "core/documents/CalcFile.h"
#include "core/documents/SheetFile.h"
#include "core/text/NumberText.h"

using namespace quiren;

namespace {

bool EmptyOrNumber(const QString &text)
{
    return text.isEmpty() || IsSingleNumber(text);
}

bool EmptyOrNonNegative(const QString &text)
{
    return text.isEmpty() || (IsSingleNumber(text) && TextValue(text) >= 0);
}

void CheckRanges(const SheetFileData &data)
{
    const CalcFileData &in = data.inputs;
    FUZZ_CHECK(in.storeyIndex >= 0 && in.storeyIndex <= 2);
    FUZZ_CHECK(data.rules == RuleSetKind::Old || in.storeyIndex < WeightRuleStoreys);
    FUZZ_CHECK(in.weightType == 0 || in.weightType == 1);
    FUZZ_CHECK(in.certifiedChoice >= -1 && in.certifiedChoice <= MaxCertifiedPosition);
    for (int s = 0; s < StoreyCount; ++s) {
        FUZZ_CHECK(EmptyOrNumber(in.floorArea[s]));
        FUZZ_CHECK(static_cast<int>(in.rows[s].size()) == FramingRowCount(s));
        for (const CalcFileData::RowInputs &row : in.rows[s]) {
            for (int f : {3, 4, 5, 6})
                FUZZ_CHECK(EmptyOrNonNegative(row[f]));
        }
    }
    for (const QString &area : in.projectedArea)
        FUZZ_CHECK(EmptyOrNumber(area));
    for (int s = 0; s < WeightRuleStoreys; ++s) {
        FUZZ_CHECK(static_cast<int>(data.quasiWalls[s].size()) == QuasiRowCount);
        for (const QuasiWallRow &row : data.quasiWalls[s]) {
            for (int d = 0; d < 2; ++d)
                FUZZ_CHECK(EmptyOrNonNegative(row.length[d]) && EmptyOrNonNegative(row.places[d]));
        }
    }
}

CertifiedWallList TwoWalls()
{
    CertifiedWallList walls;
    for (int i = 0; i < 2; ++i) {
        CertifiedWall w;
        w.name = QStringLiteral("認定壁%1").arg(i + 1);
        w.multiplier = 2.5f + static_cast<float>(i);
        w.displayLine = WallDisplayLine(w.name, w.multiplier);
        walls.append(w);
    }
    return walls;
}

// An old-rule sheet as the program writes it into a ".qrn" comes back from
// ".qrn2" as the same bytes.
void CheckCalcFileRoundTrip(const SheetFileData &data)
{
    const CalcFileBytes first = EncodeCalcFile(data.inputs);
    if (!first.error.isEmpty())
        return;   // a character CP932 cannot hold: no ".qrn" is written
    const std::optional<CalcFileData> reread = ParseCalcFile(first.bytes);
    FUZZ_CHECK(reread.has_value());
    const CalcFileBytes saved = EncodeCalcFile(SheetFileDataOfCalcFile(*reread).inputs);
    FUZZ_CHECK(saved.error.isEmpty());

    const std::optional<CalcFileData> old = ParseCalcFile(saved.bytes);
    FUZZ_CHECK(old.has_value());
    int dropped = -1;
    const QByteArray sheetBytes = EncodeSheetFile(SheetFileDataOfCalcFile(*old, &dropped));
    FUZZ_CHECK(dropped == 0);
    const SheetFileParse back = ParseSheetFile(sheetBytes);
    FUZZ_CHECK(back.status == SheetFileStatus::Ok);
    const CalcFileBytes again = EncodeCalcFile(back.data.inputs);
    FUZZ_CHECK(again.error.isEmpty());
    FUZZ_CHECK(again.bytes == saved.bytes);
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
    const SheetFileParse read = ParseSheetFile(bytes);
    if (read.status != SheetFileStatus::Ok) {
        FUZZ_CHECK(read.status != SheetFileStatus::CannotOpen);
        return 0;
    }
    CheckRanges(read.data);

    // Written and read back: the same bytes.
    const QByteArray written = EncodeSheetFile(read.data);
    const SheetFileParse reread = ParseSheetFile(written);
    FUZZ_CHECK(reread.status == SheetFileStatus::Ok);
    FUZZ_CHECK(EncodeSheetFile(reread.data) == written);

    static const CertifiedWallList walls = TwoWalls();
    CalcSheet sheet(&walls);
    ApplySheetFile(sheet, read.data, 51 + static_cast<int>(size % 25));
    FUZZ_CHECK(!sheet.changed);
    FUZZ_CHECK(sheet.ruleSetKind() == read.data.rules);
    FUZZ_CHECK(sheet.storeyIndex == read.data.inputs.storeyIndex);

    // What a save of the applied sheet writes opens again into the same sheet.
    const SheetFileParse saved = ParseSheetFile(EncodeSheetFile(SheetFileDataOf(sheet)));
    FUZZ_CHECK(saved.status == SheetFileStatus::Ok);
    CalcSheet reopened(&walls);
    ApplySheetFile(reopened, saved.data, 51 + static_cast<int>(size % 25));
    for (int s = 0; s < StoreyCount; ++s)
        FUZZ_CHECK(reopened.judgement[s].cells == sheet.judgement[s].cells);

    if (read.data.rules == RuleSetKind::Old)
        CheckCalcFileRoundTrip(read.data);
    return 0;
}
