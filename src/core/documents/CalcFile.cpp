#include "core/documents/CalcFile.h"

#include "core/io/SafeRead.h"
#include "core/io/SafeWrite.h"
#include "core/settings/SettingsStore.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <limits>

namespace quiren {

namespace {

constexpr char Codec[] = "windows-31j";
constexpr char LineEnd[] = "\r\n";


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

// The first character CP932 cannot hold, or an empty text.
QString firstUnencodable(const QString &text)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString ch = text.mid(i, len);
        QStringEncoder encoder(Codec);
        const QByteArray encoded = encoder.encode(ch);   // converts only when assigned
        Q_UNUSED(encoded);
        if (encoder.hasError())
            return ch;
        i += len;
    }
    return {};
}

class LineWriter {
public:
    // Appends one quoted text; false (and the error set) when CP932 cannot
    // hold it.
    bool text(const QString &value, const QString &fieldName)
    {
        const QString stored = StorableText(value);
        QStringEncoder encoder(Codec);
        const QByteArray encoded = encoder.encode(stored);
        if (encoder.hasError()) {
            const QString ch = firstUnencodable(stored);
            error = Str(S::UnencodableCharacter)
                        .arg(fieldName, ch,
                             QString::number(ch.isEmpty() ? 0 : ch.toUcs4().value(0), 16)
                                 .toUpper()
                                 .rightJustified(4, QLatin1Char('0')));
            return false;
        }
        separate();
        bytes += '"';
        bytes += encoded;
        bytes += '"';
        return true;
    }
    void integer(int value)
    {
        separate();
        bytes += QByteArray::number(value);
    }
    void boolean(bool value)
    {
        separate();
        bytes += value ? "#TRUE#" : "#FALSE#";
    }
    void endLine()
    {
        bytes += LineEnd;
        first = true;
    }

    QByteArray bytes;
    QString error;

private:
    void separate()
    {
        if (!first)
            bytes += ',';
        first = false;
    }
    bool first = true;
};

// ---- reading ---------------------------------------------------------------

struct RawField {
    QByteArray text;
    bool quoted = false;
};

// Takes the fields of a file one after another. A comma or a line end (CR LF,
// CR or LF) ends a field; blanks before a field are skipped. A field that
// begins with a double quote runs to the next double quote, and whatever
// follows it up to the next comma or line end is skipped; any other field
// runs to the next comma or line end, trailing blanks removed.
class FieldReader {
public:
    explicit FieldReader(const QByteArray &bytes, qsizetype start = 0)
        : m_bytes(bytes), m_pos(start) {}

    // The next field; empty at the end of the data.
    std::optional<RawField> next()
    {
        while (m_pos < m_bytes.size() && isBlank(m_bytes[m_pos]))
            ++m_pos;
        if (m_pos >= m_bytes.size())
            return std::nullopt;

        RawField field;
        if (m_bytes[m_pos] == '"') {
            field.quoted = true;
            const qsizetype open = m_pos + 1;
            qsizetype close = m_bytes.indexOf('"', open);
            if (close < 0)
                close = m_bytes.size();   // cut off: the text runs to the end
            field.text = m_bytes.mid(open, close - open);
            m_pos = close + 1;
            while (m_pos < m_bytes.size() && !isDelimiter(m_bytes[m_pos]))
                ++m_pos;
        } else {
            const qsizetype start = m_pos;
            while (m_pos < m_bytes.size() && !isDelimiter(m_bytes[m_pos]))
                ++m_pos;
            qsizetype end = m_pos;
            while (end > start && isBlank(m_bytes[end - 1]))
                --end;
            field.text = m_bytes.mid(start, end - start);
        }
        skipDelimiter();
        return field;
    }

private:
    static bool isBlank(char c) { return c == ' ' || c == '\t'; }
    static bool isDelimiter(char c) { return c == ',' || c == '\r' || c == '\n'; }

    void skipDelimiter()
    {
        if (m_pos >= m_bytes.size())
            return;
        const char c = m_bytes[m_pos++];
        if (c == '\r' && m_pos < m_bytes.size() && m_bytes[m_pos] == '\n')
            ++m_pos;
    }

    const QByteArray &m_bytes;
    qsizetype m_pos = 0;
};

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
        QStringDecoder decoder(Codec);
        return decoder.decode(field.text);
    }

private:
    // A few CP932 texts are valid UTF-8 as well (a level-2 kanji followed by
    // "）" or a full-width digit, say); such a file is still this program's
    // own when it reads as CP932 without an error and without half-width
    // katakana, which UTF-8 Japanese read as CP932 practically always gives.
    static bool plausibleCp932(const QByteArray &bytes)
    {
        QStringDecoder cp932(Codec);
        const QString text = cp932.decode(bytes);
        if (cp932.hasError())
            return false;
        return std::none_of(text.begin(), text.end(),
                            [](QChar c) { return c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F; });
    }

    bool m_utf8 = false;
    bool m_bom = false;
};

// An input text as the sheet can take it: numbers stay as they are, anything
// else is left empty.
QString numberOrEmpty(const QString &text)
{
    return IsSingleNumber(text) ? text : QString();
}

QString nonNegativeOrEmpty(const QString &text)
{
    if (!IsSingleNumber(text) || TextValue(text) < 0)
        return {};
    return text;
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
    return data;
}

QString StorableText(const QString &text)
{
    static const std::pair<char16_t, char16_t> lookAlikes[] = {
        {u'"', u'\uFF02'},      // ＂ (a quote would end the field)
        {u'\r', u' '},
        {u'\n', u' '},
        {u'\u301C', u'\uFF5E'}, // 〜 → ～
        {u'\u2212', u'\uFF0D'}, // − → －
        {u'\u2016', u'\u2225'}, // ‖ → ∥
        {u'\u2014', u'\u2015'}, // — → ―
        {u'\u00A2', u'\uFFE0'}, // ¢ → ￠
        {u'\u00A3', u'\uFFE1'}, // £ → ￡
        {u'\u00AC', u'\uFFE2'}, // ¬ → ￢
    };
    QString result = text;
    for (QChar &c : result) {
        for (const auto &[from, to] : lookAlikes) {
            if (c.unicode() == from) {
                c = QChar(to);
                break;
            }
        }
    }
    return result;
}

CalcFileBytes EncodeCalcFile(const CalcFileData &data)
{
    LineWriter w;
    auto fail = [&w]() { return CalcFileBytes{{}, w.error}; };

    w.text(QString::fromLatin1(AppTitle), QString::fromLatin1(AppTitle));
    w.endLine();
    for (bool mark : data.merge)
        w.boolean(mark);
    w.endLine();
    if (!w.text(data.titleName, titleFieldName()))
        return fail();
    w.integer(data.storeyIndex);
    w.integer(data.weightType);
    w.integer(data.certifiedChoice);
    w.boolean(data.strongWind);
    w.endLine();
    for (int s = 0; s < StoreyCount; ++s) {
        if (!w.text(data.floorArea[s], floorFieldName(s)) || !w.text(data.projectedArea[s], areaFieldName(s))
            || !w.text(data.projectedArea[s + 3], areaFieldName(s + 3)))
            return fail();
        w.endLine();
    }
    for (int s = 0; s < StoreyCount; ++s) {
        for (int r = 0; r < FramingRowCount(s); ++r) {
            const bool present = r < static_cast<int>(data.rows[s].size());
            for (int f = 0; f < CalcFileRowFields; ++f) {
                const QString cell = present ? data.rows[s][r][f] : QString();
                if (!w.text(cell, rowFieldName(s, r, FramingInputColumns[f])))
                    return fail();
            }
            w.endLine();
        }
    }
    return CalcFileBytes{w.bytes, {}};
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
    FieldReader reader(bytes, decoding.start());

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

void ApplyCalcFile(CalcSheet &sheet, const CalcFileData &data, int wallCoefficeient)
{
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

    for (int s = 0; s < StoreyCount; ++s) {
        sheet.SetFloorArea(s, numberOrEmpty(data.floorArea[s]));
        sheet.SetProjectedArea(s, numberOrEmpty(data.projectedArea[s]));
        sheet.SetProjectedArea(s + 3, numberOrEmpty(data.projectedArea[s + 3]));
        const int count = std::min<int>(static_cast<int>(sheet.framing[s].size()),
                                        static_cast<int>(data.rows[s].size()));
        for (int r = 0; r < count; ++r) {
            FramingRow &row = sheet.framing[s][r];
            for (int f = 0; f < CalcFileRowFields; ++f) {
                const int column = FramingInputColumns[f];
                const QString &text = data.rows[s][r][f];
                const bool numeric = column == ColLength0 || column == ColPlaces0
                                     || column == ColLength1 || column == ColPlaces1;
                row[column] = numeric ? nonNegativeOrEmpty(text) : text;
            }
        }
    }

    for (int s = 0; s < StoreyCount; ++s)
        sheet.Long_calc(s);
    for (int s = 0; s <= sheet.storeyIndex; ++s)
        sheet.RecalcStorey(s);
    sheet.changed = false;
}

void ApplyCalcFile(CalcSheet &sheet, const CalcFileData &data)
{
    // The setting matters only when the option ends on; it is read now.
    ApplyCalcFile(sheet, data, data.strongWind ? ReadWallCoefficient() : WallCoefficientDefault);
}

} // namespace quiren
