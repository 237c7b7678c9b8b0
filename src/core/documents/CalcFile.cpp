#include "core/documents/CalcFile.h"

#include "core/calc/CellInput.h"
#include "core/io/SafeRead.h"
#include "core/io/SafeWrite.h"
#include "core/settings/SettingsStore.h"
#include "core/text/Cp932.h"
#include "core/text/NumberText.h"
#include "core/text/QuotedFields.h"
#include "core/text/StringTable.h"

#include <QStringDecoder>

#include <algorithm>
#include <limits>

namespace quiren {

namespace {


// ---- writing ---------------------------------------------------------------

// What a field is called in a message, built from the window's captions.
QString titleFieldName() { return PlainCaption(Str(S::ProjectName)); }

QString floorFieldName(int s) { return StoreyName(s) + QLatin1Char(' ') + Str(S::FloorArea); }

// Projected area w feeds direction w / 3: area s is the wall face parallel
// to the beams (梁), area s + 3 the one parallel to the girders (桁).
QString areaFieldName(int w)
{
    const int s = w % 3;
    const bool beams = w < 3;
    return StoreyName(s) + QLatin1Char(' ') + Str(beams ? S::ToBeams : S::ToGirders)
           + Str(S::ParallelWallArea) + Str((beams ? S::BeamAreaLetters : S::GirderAreaLetters) + s);
}

QString rowFieldName(int s, int r, int column)
{
    QString caption = Str(S::FramingColumnHeaders + column).trimmed();
    caption.remove(QChar(0x3000));   // the kind header is padded with full-width blanks
    if (column >= ColLength0) {
        // Direction 0 is the framing parallel to the girders (桁).
        const bool girders = column < ColLength1;
        caption = Str(girders ? S::ToGirders : S::ToBeams) + Str(S::ParallelWallArea).left(5)
                  + QLatin1Char(' ') + caption;
    }
    return Str(S::RowFieldPlace).arg(StoreyName(s)).arg(r + 1).arg(caption);
}

// The fields of the file's lines, with the check that names a field whose
// text CP932 cannot hold.
class LineWriter {
public:
    // Appends one quoted text; false (and the error set) when CP932 cannot
    // hold it. The field's name is only made for the message: a file has a
    // few hundred fields, and naming each of them cost more than writing it.
    template <typename FieldName>
    bool text(const QString &value, const FieldName &fieldName)
    {
        const QString stored = StorableText(value);
        if (!Cp932CanHold(stored)) {
            const QString ch = FirstNotInCp932(stored);
            // Half a surrogate pair is named by its own code.
            const char32_t code = ch.isEmpty()   ? 0
                                  : ch.size() == 2 ? QChar::surrogateToUcs4(ch[0], ch[1])
                                                   : ch[0].unicode();
            error = Str(S::UnencodableCharacter)
                        .arg(fieldName(), ch,
                             QString::number(code, 16)
                                 .toUpper()
                                 .rightJustified(4, QLatin1Char('0')));
            return false;
        }
        m_line.quoted(ToCp932(stored));
        return true;
    }
    void integer(int value) { m_line.bare(QByteArray::number(value)); }
    void boolean(bool value) { m_line.bare(value ? "#TRUE#" : "#FALSE#"); }
    void endLine() { m_line.endLine(); }
    const QByteArray &bytes() const { return m_line.bytes(); }

    QString error;

private:
    QuotedLineWriter m_line;
};

// ---- reading ---------------------------------------------------------------

using RawField = QuotedField;

std::optional<bool> booleanOf(const RawField &field)
{
    if (field.quoted)
        return std::nullopt;
    if (field.text == "#TRUE#")
        return true;
    if (field.text == "#FALSE#")
        return false;
    return std::nullopt;
}

std::optional<int> integerOf(const RawField &field)
{
    if (field.quoted || field.text.isEmpty())
        return std::nullopt;
    const qsizetype digits = field.text.startsWith('-') ? 1 : 0;
    if (digits == field.text.size())
        return std::nullopt;
    for (qsizetype i = digits; i < field.text.size(); ++i) {
        if (field.text[i] < '0' || field.text[i] > '9')
            return std::nullopt;
    }
    bool ok = false;
    const int value = field.text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// Texts are CP932. A file saved by a UTF-8 editor is read as UTF-8, so its
// Japanese comes through instead of turning into garbage: that is a file
// with a UTF-8 byte-order mark, or one that is valid UTF-8 throughout and
// holds at least one three- or four-byte sequence (every kana and kanji is
// one). CP932 Japanese practically never passes that test: kana and most
// kanji begin with a byte UTF-8 never starts a character with.
class TextDecoding {
public:
    explicit TextDecoding(const QByteArray &bytes)
    {
        m_bom = bytes.startsWith("\xEF\xBB\xBF");
        if (m_bom) {
            m_utf8 = true;
            return;
        }
        const bool longSequence = std::any_of(bytes.begin(), bytes.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0xE0;
        });
        if (!longSequence)
            return;
        QStringDecoder utf8(QStringConverter::Utf8);
        const QString decoded = utf8.decode(bytes);   // converts only when assigned
        Q_UNUSED(decoded);
        m_utf8 = !utf8.hasError() && !plausibleCp932(bytes);
    }
    // Where the fields begin (after a byte-order mark).
    qsizetype start() const { return m_bom ? 3 : 0; }
    bool utf8() const { return m_utf8; }
    QString text(const RawField &field) const
    {
        if (m_utf8)
            return QString::fromUtf8(field.text);
        return FromCp932(field.text);
    }

private:
    // A few CP932 texts are valid UTF-8 as well (a level-2 kanji followed by
    // "）" or a full-width digit, say); such a file is still this program's
    // own when it reads as CP932 without an error and without half-width
    // katakana, which UTF-8 Japanese read as CP932 practically always gives.
    static bool plausibleCp932(const QByteArray &bytes)
    {
        QStringDecoder cp932 = Cp932Decoder();
        const QString text = cp932.decode(bytes);
        if (cp932.hasError())
            return false;
        return std::none_of(text.begin(), text.end(),
                            [](QChar c) { return c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F; });
    }

    bool m_utf8 = false;
    bool m_bom = false;
};

// A number of the file as the sheet takes it: through the checks a typed
// entry goes through, a refused one left empty (as the window empties it)
// and noted.
QString takeNumber(const QString &text, const CellReading &reading, RefusedCell where,
                   std::vector<RefusedCell> &refused)
{
    if (reading.verdict == CellVerdict::Taken)
        return reading.text;
    if (reading.verdict != CellVerdict::Empty) {
        where.text = text;
        refused.push_back(where);
    }
    return {};
}

} // namespace

// ---- data --------------------------------------------------------------------

CalcFileData::CalcFileData()
{
    for (int s = 0; s < StoreyCount; ++s)
        rows[s].assign(FramingRowCount(s), RowInputs{});
}

CalcFileData CalcFileDataOf(const CalcSheet &sheet)
{
    CalcFileData data;
    data.merge = sheet.merge;
    data.titleName = sheet.titleName;
    data.storeyIndex = sheet.storeyIndex;
    data.weightType = sheet.weightType;
    data.certifiedChoice = sheet.certifiedChoice;
    data.strongWind = sheet.strongWind;
    data.floorArea = sheet.floorArea;
    data.projectedArea = sheet.projectedArea;
    for (int s = 0; s < StoreyCount; ++s) {
        const int count = std::min<int>(FramingRowCount(s), static_cast<int>(sheet.framing[s].size()));
        for (int r = 0; r < count; ++r) {
            for (int f = 0; f < CalcFileRowFields; ++f)
                data.rows[s][r][f] = sheet.framing[s][r][FramingInputColumns[f]];
        }
    }
    // A number the sheet could not take stays in the file as it was, so the
    // file reopens with the same cell refused rather than as a storey
    // judged without it. A text the file cannot hold as it is becomes "?",
    // refused alike.
    for (int s = 0; s < StoreyCount; ++s) {
        for (const CalcSheet::UnreadCell &cell : sheet.unreadCells[s]) {
            const QString kept = StorableText(cell.text) == cell.text && Cp932CanHold(cell.text)
                                     ? cell.text : QStringLiteral("?");
            QString *target = nullptr;
            if (cell.row < 0 && cell.column < 0)
                target = &data.floorArea[s];
            else if (cell.row < 0 && cell.column < ProjectedAreaCount)
                target = &data.projectedArea[cell.column];
            else if (cell.row >= 0 && cell.row < static_cast<int>(data.rows[s].size())) {
                const auto field = std::find(FramingInputColumns.begin(), FramingInputColumns.end(), cell.column);
                if (field != FramingInputColumns.end())
                    target = &data.rows[s][cell.row][field - FramingInputColumns.begin()];
            }
            if (target && target->isEmpty())
                *target = kept;
        }
    }
    return data;
}

QString StorableText(const QString &text)
{
    return Cp932FieldText(text);
}

CalcFileBytes EncodeCalcFile(const CalcFileData &data)
{
    LineWriter w;
    auto fail = [&w]() { return CalcFileBytes{{}, w.error}; };

    w.text(QString::fromLatin1(AppTitle), [] { return QString::fromLatin1(AppTitle); });
    w.endLine();
    for (bool mark : data.merge)
        w.boolean(mark);
    w.endLine();
    if (!w.text(data.titleName, titleFieldName))
        return fail();
    w.integer(data.storeyIndex);
    w.integer(data.weightType);
    w.integer(data.certifiedChoice);
    w.boolean(data.strongWind);
    w.endLine();
    for (int s = 0; s < StoreyCount; ++s) {
        if (!w.text(data.floorArea[s], [s] { return floorFieldName(s); })
            || !w.text(data.projectedArea[s], [s] { return areaFieldName(s); })
            || !w.text(data.projectedArea[s + 3], [s] { return areaFieldName(s + 3); }))
            return fail();
        w.endLine();
    }
    for (int s = 0; s < StoreyCount; ++s) {
        for (int r = 0; r < FramingRowCount(s); ++r) {
            const bool present = r < static_cast<int>(data.rows[s].size());
            for (int f = 0; f < CalcFileRowFields; ++f) {
                const QString cell = present ? data.rows[s][r][f] : QString();
                if (!w.text(cell, [s, r, f] { return rowFieldName(s, r, FramingInputColumns[f]); }))
                    return fail();
            }
            w.endLine();
        }
    }
    // The reader refuses a larger file as "not a data file": one written
    // here must open again.
    if (w.bytes().size() > MaxCalcFileSize)
        return CalcFileBytes{{}, Str(S::FileTooLargeToWrite).arg(MaxCalcFileSize)};
    return CalcFileBytes{w.bytes(), {}};
}

WriteResult WriteCalcFile(const QString &path, const CalcFileData &data)
{
    const CalcFileBytes encoded = EncodeCalcFile(data);
    if (!encoded.error.isEmpty())
        return WriteResult{false, encoded.error};

    return WriteFileSafely(path, encoded.bytes);
}

WriteResult WriteCalcFile(const QString &path, const CalcSheet &sheet)
{
    return WriteCalcFile(path, CalcFileDataOf(sheet));
}

// ---- reading -------------------------------------------------------------------

std::optional<CalcFileData> ParseCalcFile(const QByteArray &bytes)
{
    if (bytes.size() > MaxCalcFileSize)
        return std::nullopt;

    const TextDecoding decoding(bytes);
    QuotedFieldReader reader(bytes, decoding.start());

    const std::optional<RawField> first = reader.next();
    if (!first || decoding.text(*first) != QLatin1String(AppTitle))
        return std::nullopt;

    CalcFileData data;
    // Each reader takes the next field; a missing field or one of the wrong
    // kind leaves the value as it is.
    auto readBool = [&reader](bool &target) {
        if (const auto field = reader.next()) {
            if (const auto value = booleanOf(*field))
                target = *value;
        }
    };
    auto readInt = [&reader](int &target, int low, int high) {
        if (const auto field = reader.next()) {
            if (const auto value = integerOf(*field); value && *value >= low && *value <= high)
                target = *value;
        }
    };
    auto readText = [&reader, &decoding](QString &target) {
        if (const auto field = reader.next())
            target = decoding.text(*field);
    };

    for (bool &mark : data.merge)
        readBool(mark);
    readText(data.titleName);
    readInt(data.storeyIndex, 0, StoreyCount - 1);
    readInt(data.weightType, 0, 1);
    // Any position is taken here; the list it refers to decides on applying.
    readInt(data.certifiedChoice, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    readBool(data.strongWind);
    for (int s = 0; s < StoreyCount; ++s) {
        readText(data.floorArea[s]);
        readText(data.projectedArea[s]);
        readText(data.projectedArea[s + 3]);
    }
    for (int s = 0; s < StoreyCount; ++s) {
        for (CalcFileData::RowInputs &row : data.rows[s]) {
            for (QString &cell : row)
                readText(cell);
        }
    }
    return data;
}

QString CannotOpenMessage(const QString &path)
{
    return path + Str(S::CannotOpenFile);
}

QString NotDataFileMessage()
{
    return QString::fromLatin1(AppTitle) + Str(S::NotDataFile);
}

CalcFileRead ReadCalcFile(const QString &path)
{
    CalcFileRead result;
    auto cannotOpen = [&]() {
        result.status = CalcFileStatus::CannotOpen;
        result.message = CannotOpenMessage(path);
        return result;
    };

    if (path.isEmpty())
        return cannotOpen();
    // Only a regular file is read: a FIFO or a device named here would keep
    // the program waiting for ever.
    const ReadResult read = ReadFileSafely(path, MaxCalcFileSize);
    if (read.status != ReadStatus::Ok && read.status != ReadStatus::TooLarge)
        return cannotOpen();
    const QByteArray &bytes = read.bytes;

    if (read.status == ReadStatus::TooLarge) {
        result.status = CalcFileStatus::NotDataFile;
        result.message = NotDataFileMessage();
        return result;
    }
    std::optional<CalcFileData> data = ParseCalcFile(bytes);
    if (!data) {
        result.status = CalcFileStatus::NotDataFile;
        result.message = NotDataFileMessage();
        return result;
    }
    result.data = std::move(*data);
    return result;
}

// ---- applying ------------------------------------------------------------------

std::vector<RefusedCell> ApplyCalcFile(CalcSheet &sheet, const CalcFileData &data,
                                       int wallCoefficeient)
{
    std::vector<RefusedCell> refused;
    const CalcSheet::RecalcBatch batch(sheet);   // each storey once, at the end
    sheet.SetUpNewSheet();

    sheet.merge = data.merge;

    const int n = (data.storeyIndex >= 0 && data.storeyIndex < StoreyCount) ? data.storeyIndex : 0;
    sheet.storeyIndex = n;
    sheet.titleName = data.titleName;
    sheet.SetStoreyIndex(n);
    sheet.SetWeightType((data.weightType == 0 || data.weightType == 1) ? data.weightType : 0);

    // The wall choice holds one placeholder entry when no wall is registered.
    const qsizetype choices = std::max<qsizetype>(1, sheet.walls().size());
    const int position = data.certifiedChoice;
    sheet.certifiedChoice = (position == -1 || (position >= 0 && position < choices)) ? position : 0;

    // Starting from the opposite, the toggle ends on the stored value and
    // rewrites the six wind factors to match it.
    sheet.strongWind = !data.strongWind;
    sheet.ToggleStrongWind(wallCoefficeient);

    auto area = [&](const QString &text, int storey, int direction, RefusedCell::Kind kind) {
        return takeNumber(text, ReadAreaText(text), {kind, storey, direction, -1, -1, {}}, refused);
    };
    for (int s = 0; s < StoreyCount; ++s) {
        sheet.SetFloorArea(s, area(data.floorArea[s], s, 0, RefusedCell::FloorArea));
        sheet.SetProjectedArea(s, area(data.projectedArea[s], s, 0, RefusedCell::ProjectedArea));
        sheet.SetProjectedArea(s + 3,
                               area(data.projectedArea[s + 3], s, 1, RefusedCell::ProjectedArea));
        const int count = std::min<int>(static_cast<int>(sheet.framing[s].size()),
                                        static_cast<int>(data.rows[s].size()));
        for (int r = 0; r < count; ++r) {
            FramingRow &row = sheet.framing[s][r];
            for (int f = 0; f < CalcFileRowFields; ++f) {
                const int column = FramingInputColumns[f];
                const QString &text = data.rows[s][r][f];
                const int direction = column == ColLength1 || column == ColPlaces1 ? 1 : 0;
                if (column == ColLength0 || column == ColLength1) {
                    row[column] = takeNumber(text, ReadLengthText(text),
                                             {RefusedCell::Framing, s, direction, r, column, {}},
                                             refused);
                } else if (column == ColPlaces0 || column == ColPlaces1) {
                    row[column] = takeNumber(text, ReadPlacesText(text),
                                             {RefusedCell::Framing, s, direction, r, column, {}},
                                             refused);
                } else {
                    row[column] = text;
                }
            }
        }
    }

    // The sheet remembers where it is missing a number of the file: such a
    // storey is never judged "OK" until the cell is typed again.
    for (const RefusedCell &cell : refused) {
        switch (cell.kind) {
        case RefusedCell::FloorArea:
            sheet.unreadCells[cell.storey].push_back({-1, -1, cell.text});
            break;
        case RefusedCell::ProjectedArea:
            sheet.unreadCells[cell.storey].push_back({-1, cell.storey + StoreyCount * cell.direction, cell.text});
            break;
        case RefusedCell::Framing:
            sheet.unreadCells[cell.storey].push_back({cell.row, cell.column, cell.text});
            break;
        }
    }

    for (int s = 0; s < StoreyCount; ++s)
        sheet.Long_calc(s);
    for (int s = 0; s <= sheet.storeyIndex; ++s)
        sheet.RecalcStorey(s);
    sheet.changed = false;
    return refused;
}

QString RefusedCellText(const RefusedCell &cell)
{
    QString where = StoreyName(cell.storey) + QLatin1Char(' ');
    switch (cell.kind) {
    case RefusedCell::FloorArea:
        where += Str(S::RefusedFloorArea);
        break;
    case RefusedCell::ProjectedArea:
        // (A), (C), (E) face direction 0 of storeys 1-3; (B), (D), (F) direction 1.
        where += Str(S::RefusedProjectedArea) + Str(S::SheetAreaLetters + 2 * cell.storey + cell.direction);
        break;
    case RefusedCell::Framing: {
        const bool length = cell.column == ColLength0 || cell.column == ColLength1;
        where += Str(S::RefusedRow).arg(cell.row + 1) + QLatin1Char(' ')
                 + Str(cell.direction == 0 ? S::SheetParallelToGirders : S::SheetParallelToBeams)
                 + Str(S::FramingColumnHeaders + (length ? ColLength0 : ColPlaces0));
        break;
    }
    }
    return where + QStringLiteral(" \"") + cell.text + QLatin1Char('"');
}

QString RefusedCellsMessage(const std::vector<RefusedCell> &cells)
{
    if (cells.empty())
        return {};
    QStringList lines{Str(S::RefusedCells)};
    for (const RefusedCell &cell : cells)
        lines.append(RefusedCellText(cell));
    return lines.join(QLatin1Char('\n'));
}

std::vector<RefusedCell> ApplyCalcFile(CalcSheet &sheet, const CalcFileData &data)
{
    // The setting matters only when the option ends on; it is read now.
    return ApplyCalcFile(sheet, data, data.strongWind ? ReadWallCoefficient() : WallCoefficientDefault);
}

} // namespace quiren
