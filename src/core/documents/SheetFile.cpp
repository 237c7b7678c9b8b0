#include "core/documents/SheetFile.h"

#include "core/io/NativePath.h"
#include "core/settings/SettingsStore.h"
#include "core/text/JsonWriter.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>

namespace quiren {

namespace {

constexpr int MsgNewerVersion = 6090;   // path, version
constexpr int MsgBadValue = 6091;       // path, where

const QString OldRulesName = QStringLiteral("old");
const QString Rules2025Name = QStringLiteral("2025");

QString rulesName(SheetRules rules)
{
    return rules == SheetRules::Rules2025 ? Rules2025Name : OldRulesName;
}

// The texts an area, a length or a places count may hold: what the window
// accepts in those cells.
bool isAreaText(const QString &text)
{
    return text.isEmpty() || IsSingleNumber(text);
}

bool isCountText(const QString &text)
{
    return text.isEmpty() || (IsSingleNumber(text) && TextValue(text) >= 0);
}

// ---- writing ---------------------------------------------------------------

void writePair(JsonWriter &w, const QString &first, const QString &second)
{
    w.beginArray(JsonWriter::Inline);
    w.string(first);
    w.string(second);
    w.endArray();
}

void writeRow(JsonWriter &w, const CalcFileData::RowInputs &row)
{
    // The seven cells in file order: kind, section, X-bracing, length 0,
    // places 0, length 1, places 1.
    w.beginObject(JsonWriter::Inline);
    w.key(u"kind");
    w.string(row[0]);
    w.key(u"section");
    w.string(row[1]);
    w.key(u"xBracing");
    w.string(row[2]);
    w.key(u"length");
    writePair(w, row[3], row[5]);
    w.key(u"places");
    writePair(w, row[4], row[6]);
    w.endObject();
}

bool isEmptyRow(const CalcFileData::RowInputs &row)
{
    return std::all_of(row.begin(), row.end(), [](const QString &cell) { return cell.isEmpty(); });
}

void writeStoreys(JsonWriter &w, const CalcFileData &in)
{
    w.beginArray();
    for (int s = 0; s < StoreyCount; ++s) {
        w.beginObject();
        w.key(u"floorArea");
        w.string(in.floorArea[s]);
        w.key(u"projectedArea");
        writePair(w, in.projectedArea[s], in.projectedArea[s + 3]);
        // Empty rows at the end are left out; those between rows in use
        // keep the rows' places in the grid.
        int used = static_cast<int>(in.rows[s].size());
        while (used > 0 && isEmptyRow(in.rows[s][used - 1]))
            --used;
        w.key(u"rows");
        w.beginArray();
        for (int r = 0; r < used; ++r)
            writeRow(w, in.rows[s][r]);
        w.endArray();
        w.endObject();
    }
    w.endArray();
}

// ---- reading ---------------------------------------------------------------

// Reads the members of the document into the value, keeping the first
// value that is wrong. A member that is absent keeps what the value holds.
class ValueReader {
public:
    bool failed() const { return !m_where.isEmpty(); }
    const QString &where() const { return m_where; }

    void fail(const QString &where)
    {
        if (m_where.isEmpty())
            m_where = where;
    }

    static QString member(const QString &path, const QString &key)
    {
        return path.isEmpty() ? key : path + QLatin1Char('.') + key;
    }
    static QString element(const QString &path, qsizetype index)
    {
        return path + QLatin1Char('[') + QString::number(index) + QLatin1Char(']');
    }

    void text(const QJsonObject &object, const QString &path, const QString &key, QString &target,
              const std::function<bool(const QString &)> &valid = {})
    {
        const QJsonValue value = object.value(key);
        if (value.isUndefined())
            return;
        if (!value.isString() || (valid && !valid(value.toString())))
            return fail(member(path, key));
        target = value.toString();
    }

    void boolean(const QJsonObject &object, const QString &path, const QString &key, bool &target)
    {
        const QJsonValue value = object.value(key);
        if (value.isUndefined())
            return;
        if (!value.isBool())
            return fail(member(path, key));
        target = value.toBool();
    }

    void integer(const QJsonObject &object, const QString &path, const QString &key, int &target,
                 int low, int high)
    {
        const QJsonValue value = object.value(key);
        if (value.isUndefined())
            return;
        const std::optional<int> number = integerOf(value, low, high);
        if (!number)
            return fail(member(path, key));
        target = *number;
    }

    // A JSON number that is a whole number within [low, high].
    static std::optional<int> integerOf(const QJsonValue &value, int low, int high)
    {
        if (!value.isDouble())
            return std::nullopt;
        const double d = value.toDouble();
        if (!std::isfinite(d) || d != std::floor(d) || d < low || d > high)
            return std::nullopt;
        return static_cast<int>(d);
    }

    // An array of exactly `count` elements, or an empty optional (and the
    // failure noted) when the member is there but is not one.
    std::optional<QJsonArray> array(const QJsonObject &object, const QString &path, const QString &key,
                                    qsizetype minCount, qsizetype maxCount)
    {
        const QJsonValue value = object.value(key);
        if (value.isUndefined())
            return std::nullopt;
        if (!value.isArray() || value.toArray().size() < minCount || value.toArray().size() > maxCount) {
            fail(member(path, key));
            return std::nullopt;
        }
        return value.toArray();
    }

    // A pair of texts, one per direction.
    void pair(const QJsonObject &object, const QString &path, const QString &key, QString &first,
              QString &second, const std::function<bool(const QString &)> &valid)
    {
        const std::optional<QJsonArray> items = array(object, path, key, 2, 2);
        if (!items)
            return;
        QString *targets[2] = {&first, &second};
        for (int i = 0; i < 2; ++i) {
            const QJsonValue item = items->at(i);
            if (!item.isString() || !valid(item.toString()))
                return fail(element(member(path, key), i));
            *targets[i] = item.toString();
        }
    }

private:
    QString m_where;
};

void readRow(ValueReader &reader, const QJsonValue &value, const QString &path, CalcFileData::RowInputs &row)
{
    if (!value.isObject())
        return reader.fail(path);
    const QJsonObject object = value.toObject();
    reader.text(object, path, QStringLiteral("kind"), row[0]);
    reader.text(object, path, QStringLiteral("section"), row[1]);
    reader.text(object, path, QStringLiteral("xBracing"), row[2]);
    reader.pair(object, path, QStringLiteral("length"), row[3], row[5], isCountText);
    reader.pair(object, path, QStringLiteral("places"), row[4], row[6], isCountText);
}

void readStoreys(ValueReader &reader, const QJsonObject &root, CalcFileData &in)
{
    const std::optional<QJsonArray> storeys = reader.array(root, QString(), QStringLiteral("storeys"), 0, StoreyCount);
    if (!storeys)
        return;
    for (int s = 0; s < storeys->size(); ++s) {
        const QString path = ValueReader::element(QStringLiteral("storeys"), s);
        if (!storeys->at(s).isObject())
            return reader.fail(path);
        const QJsonObject storey = storeys->at(s).toObject();
        reader.text(storey, path, QStringLiteral("floorArea"), in.floorArea[s], isAreaText);
        reader.pair(storey, path, QStringLiteral("projectedArea"), in.projectedArea[s], in.projectedArea[s + 3],
                    isAreaText);
        const std::optional<QJsonArray> rows =
            reader.array(storey, path, QStringLiteral("rows"), 0, FramingRowCount(s));
        if (!rows)
            continue;
        const QString rowsPath = ValueReader::member(path, QStringLiteral("rows"));
        for (int r = 0; r < rows->size(); ++r)
            readRow(reader, rows->at(r), ValueReader::element(rowsPath, r), in.rows[s][r]);
    }
}

void readShared(ValueReader &reader, const QJsonObject &root, CalcFileData &in)
{
    reader.text(root, QString(), QStringLiteral("title"), in.titleName);
    int storeys = in.storeyIndex + 1;
    reader.integer(root, QString(), QStringLiteral("storeyCount"), storeys, 1, StoreyCount);
    in.storeyIndex = storeys - 1;
    reader.integer(root, QString(), QStringLiteral("weight"), in.weightType, 0, 1);
    reader.integer(root, QString(), QStringLiteral("certifiedWall"), in.certifiedChoice, -1, MaxCertifiedPosition);
    reader.boolean(root, QString(), QStringLiteral("strongWind"), in.strongWind);
    if (const std::optional<QJsonArray> merge = reader.array(root, QString(), QStringLiteral("merge"), 3, 3)) {
        for (int c = 0; c < 3; ++c) {
            if (!merge->at(c).isBool())
                return reader.fail(ValueReader::element(QStringLiteral("merge"), c));
            in.merge[c] = merge->at(c).toBool();
        }
    }
    readStoreys(reader, root, in);
}

QByteArray withoutByteOrderMark(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
}

} // namespace

// ---- data --------------------------------------------------------------------

SheetFileData SheetFileDataOf(const CalcSheet &sheet)
{
    SheetFileData data;
    data.inputs = CalcFileDataOf(sheet);
    return data;
}

SheetFileData SheetFileDataOfCalcFile(const CalcFileData &in, int *dropped)
{
    SheetFileData data;
    data.inputs = in;
    int count = 0;
    auto keep = [&count](QString &text, bool (*valid)(const QString &)) {
        if (!valid(text)) {
            text.clear();
            ++count;
        }
    };
    CalcFileData &out = data.inputs;
    for (QString &area : out.floorArea)
        keep(area, isAreaText);
    for (QString &area : out.projectedArea)
        keep(area, isAreaText);
    for (auto &rows : out.rows) {
        for (CalcFileData::RowInputs &row : rows) {
            for (int f : {3, 4, 5, 6})
                keep(row[f], isCountText);
        }
    }
    if (out.certifiedChoice < -1 || out.certifiedChoice > MaxCertifiedPosition) {
        out.certifiedChoice = 0;
        ++count;
    }
    if (dropped)
        *dropped = count;
    return data;
}

// ---- writing ---------------------------------------------------------------------

QByteArray EncodeSheetFile(const SheetFileData &data)
{
    const CalcFileData &in = data.inputs;
    JsonWriter w;
    w.beginObject();
    w.key(u"format");
    w.string(QLatin1String(SheetFileFormat));
    w.key(u"version");
    w.integer(SheetFileVersion);
    w.key(u"rules");
    w.string(rulesName(data.rules));
    w.key(u"title");
    w.string(in.titleName);
    w.key(u"storeyCount");
    w.integer(in.storeyIndex + 1);
    w.key(u"weight");
    w.integer(in.weightType);
    w.key(u"certifiedWall");
    w.integer(in.certifiedChoice);
    w.key(u"strongWind");
    w.boolean(in.strongWind);
    w.key(u"merge");
    w.beginArray(JsonWriter::Inline);
    for (bool mark : in.merge)
        w.boolean(mark);
    w.endArray();
    w.key(u"storeys");
    writeStoreys(w, in);
    w.endObject();
    return w.bytes();
}

WriteResult WriteSheetFile(const QString &path, const SheetFileData &data)
{
    return WriteFileSafely(path, EncodeSheetFile(data));
}

// ---- reading -------------------------------------------------------------------

bool LooksLikeSheetFile(const QByteArray &bytes)
{
    for (char c : withoutByteOrderMark(bytes)) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        return c == '{';
    }
    return false;
}

SheetFileParse ParseSheetFile(const QByteArray &bytes)
{
    SheetFileParse result;
    auto refuse = [&result](SheetFileStatus status, const QString &detail = QString()) {
        result.status = status;
        result.detail = detail;
        result.data = SheetFileData{};
        return result;
    };
    if (bytes.size() > MaxSheetFileSize)
        return refuse(SheetFileStatus::NotDataFile);

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(withoutByteOrderMark(bytes), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return refuse(SheetFileStatus::NotDataFile);
    const QJsonObject root = document.object();
    if (root.value(QLatin1String("format")) != QLatin1String(SheetFileFormat))
        return refuse(SheetFileStatus::NotDataFile);

    // The version decides how everything else reads, so it comes first.
    const QJsonValue version = root.value(QLatin1String("version"));
    const std::optional<int> major = ValueReader::integerOf(version, 1, std::numeric_limits<int>::max());
    if (!major)
        return refuse(SheetFileStatus::BadValue, QStringLiteral("version"));
    if (*major > SheetFileVersion)
        return refuse(SheetFileStatus::NewerVersion, QString::number(*major));

    ValueReader reader;
    const QJsonValue rules = root.value(QLatin1String("rules"));
    if (rules == Rules2025Name)
        result.data.rules = SheetRules::Rules2025;
    else if (!rules.isUndefined() && rules != OldRulesName)
        reader.fail(QStringLiteral("rules"));
    readShared(reader, root, result.data.inputs);
    if (reader.failed())
        return refuse(SheetFileStatus::BadValue, reader.where());
    return result;
}

QString NewerVersionMessage(const QString &path, const QString &version)
{
    return Str(MsgNewerVersion).arg(path, version);
}

QString BadValueMessage(const QString &path, const QString &where)
{
    return Str(MsgBadValue).arg(path, where);
}

SheetFileRead ReadSheetFile(const QString &path)
{
    SheetFileRead result;
    auto cannotOpen = [&]() {
        result.status = SheetFileStatus::CannotOpen;
        result.message = CannotOpenMessage(path);
        return result;
    };

    if (path.isEmpty() || QFileInfo(path).isDir())
        return cannotOpen();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) && !OpenNativeForReading(file, path))
        return cannotOpen();
    // One byte more than the larger limit tells an oversized file from a full one.
    const QByteArray bytes = file.read(std::max(MaxSheetFileSize, MaxCalcFileSize) + 1);
    if (file.error() != QFileDevice::NoError)
        return cannotOpen();
    file.close();

    if (!LooksLikeSheetFile(bytes)) {
        const std::optional<CalcFileData> old = ParseCalcFile(bytes);
        if (!old) {
            result.status = SheetFileStatus::NotDataFile;
            result.message = NotDataFileMessage();
            return result;
        }
        result.data = SheetFileDataOfCalcFile(*old, &result.droppedInputs);
        return result;
    }

    SheetFileParse parsed = ParseSheetFile(bytes);
    result.status = parsed.status;
    switch (parsed.status) {
    case SheetFileStatus::Ok:
        result.data = std::move(parsed.data);
        break;
    case SheetFileStatus::NotDataFile:
        result.message = NotDataFileMessage();
        break;
    case SheetFileStatus::NewerVersion:
        result.message = NewerVersionMessage(path, parsed.detail);
        break;
    case SheetFileStatus::BadValue:
        result.message = BadValueMessage(path, parsed.detail);
        break;
    case SheetFileStatus::CannotOpen:
        break;
    }
    return result;
}

// ---- applying ------------------------------------------------------------------

void ApplySheetFile(CalcSheet &sheet, const SheetFileData &data, int wallCoefficeient)
{
    ApplyCalcFile(sheet, data.inputs, wallCoefficeient);
}

void ApplySheetFile(CalcSheet &sheet, const SheetFileData &data)
{
    ApplySheetFile(sheet, data, data.inputs.strongWind ? ReadWallCoefficient() : WallCoefficientDefault);
}

} // namespace quiren
