// The calculation-file reader and the step that applies a file to a new
// sheet, then the sheet drawn as it would be printed.
//
// Expectations beyond "no crash": the applied sheet holds only what a window
// could hold (storey count, weight, wall choice in range; areas, lengths and
// places empty or numbers), and writing what was read and reading it back
// reaches a fixed point after one round.
#include "FuzzSupport.h"

#include "core/calc/CalcSheet.h"
#include "core/documents/CalcFile.h"
#include "core/print/SheetDevice.h"
#include "core/print/SheetDrawing.h"
#include "core/print/SheetPainter.h"
#include "core/text/NumberText.h"

#include <cmath>

using namespace quiren;

namespace {

// Measures every character as one em and keeps only counts.
class CountingDevice : public SheetDevice {
public:
    float printableWidth() const override { return 11340.0f; }
    float printableHeight() const override { return 16280.0f; }
    void setFontSize(int points) override { m_points = points; }
    int fontSize() const override { return m_points; }
    float textWidth(const QString &text) const override
    {
        return static_cast<float>(text.size() * m_points) * 20.0f;
    }
    float textHeight(const QString &) const override { return static_cast<float>(m_points) * 20.0f; }
    void beginPage() override {}
    void newPage() override {}
    void drawText(float x, float y, const QString &) override
    {
        FUZZ_CHECK(std::isfinite(x) && std::isfinite(y));
        ++texts;
    }
    void drawLine(float x1, float y1, float x2, float y2) override
    {
        FUZZ_CHECK(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2));
        ++lines;
    }
    void setLineWidth(int) override {}

    int texts = 0;
    int lines = 0;

private:
    int m_points = 10;
};

CertifiedWallList SomeWalls(int count)
{
    CertifiedWallList walls;
    for (int i = 0; i < count; ++i) {
        CertifiedWall w;
        w.name = QStringLiteral("認定壁%1").arg(i + 1);
        w.multiplier = 1.5f + static_cast<float>(i);
        w.displayLine = WallDisplayLine(w.name, w.multiplier);
        walls.append(w);
    }
    return walls;
}

bool EmptyOrNumber(const QString &text)
{
    return text.isEmpty() || IsSingleNumber(text);
}

bool EmptyOrNonNegative(const QString &text)
{
    return text.isEmpty() || (IsSingleNumber(text) && TextValue(text) >= 0);
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
    const std::optional<CalcFileData> read = ParseCalcFile(bytes);
    if (!read)
        return 0;

    FUZZ_CHECK(read->storeyIndex >= 0 && read->storeyIndex <= 2);
    FUZZ_CHECK(read->weightType == 0 || read->weightType == 1);
    for (int s = 0; s < StoreyCount; ++s)
        FUZZ_CHECK(static_cast<int>(read->rows[s].size()) == FramingRowCount(s));

    // Applied with no walls, one wall or three, as the size happens to choose.
    static const CertifiedWallList lists[3] = {SomeWalls(0), SomeWalls(1), SomeWalls(3)};
    const CertifiedWallList &walls = lists[size % 3];
    CalcSheet sheet(&walls);
    ApplyCalcFile(sheet, *read, 51 + static_cast<int>(size % 25));

    FUZZ_CHECK(!sheet.changed);
    FUZZ_CHECK(sheet.storeyIndex >= 0 && sheet.storeyIndex <= 2);
    FUZZ_CHECK(sheet.certifiedChoice == -1
               || (sheet.certifiedChoice >= 0 && sheet.certifiedChoice < std::max<qsizetype>(1, walls.size())));
    for (int s = 0; s < StoreyCount; ++s) {
        FUZZ_CHECK(EmptyOrNumber(sheet.floorArea[s]));
        FUZZ_CHECK(static_cast<int>(sheet.framing[s].size()) == FramingRowCount(s));
        for (const FramingRow &row : sheet.framing[s]) {
            for (int c : {ColLength0, ColPlaces0, ColLength1, ColPlaces1})
                FUZZ_CHECK(EmptyOrNonNegative(row[c]));
        }
    }
    for (const QString &area : sheet.projectedArea)
        FUZZ_CHECK(EmptyOrNumber(area));

    // The sheet drawn as it is printed.
    CountingDevice device;
    SheetPainter painter(device);
    SheetSettings settings;
    settings.office[OfficeData::Print] = QStringLiteral("1");
    DrawSheet(painter, sheet, settings);
    FUZZ_CHECK(device.lines > 0 && device.texts > 0);

    // Written and read back: the first round may normalise (quotes, line
    // breaks, look-alike characters), the second must change nothing. (The
    // same bytes read the same, so they are not read a second time.)
    const CalcFileBytes first = EncodeCalcFile(*read);
    if (!first.error.isEmpty())
        return 0;   // a character CP932 cannot hold: the save is refused
    const std::optional<CalcFileData> once = ParseCalcFile(first.bytes);
    FUZZ_CHECK(once.has_value());
    const CalcFileBytes second = EncodeCalcFile(*once);
    FUZZ_CHECK(second.error.isEmpty());
    FUZZ_CHECK(first.bytes == second.bytes);

    // What a save of the applied sheet writes reads back into the same inputs.
    const CalcFileData saved = CalcFileDataOf(sheet);
    const CalcFileBytes savedBytes = EncodeCalcFile(saved);
    if (savedBytes.error.isEmpty()) {
        const std::optional<CalcFileData> again = ParseCalcFile(savedBytes.bytes);
        FUZZ_CHECK(again.has_value());
        CalcSheet reopened(&walls);
        ApplyCalcFile(reopened, *again, 51 + static_cast<int>(size % 25));
        for (int s = 0; s < StoreyCount; ++s)
            FUZZ_CHECK(reopened.judgement[s].cells == sheet.judgement[s].cells);
    }
    return 0;
}
