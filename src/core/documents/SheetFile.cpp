#include "core/documents/SheetFile.h"

#include "core/calc/ColumnCheck.h"

#include "core/calc/SheetWalls.h"
#include "core/io/SafeRead.h"
#include "core/settings/SettingsStore.h"
#include "core/text/JsonWriter.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

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

// A finish or panel load the user types has the key "typed" in the file.
const QString TypedKey = QStringLiteral("typed");

template <typename Choice>
QString choiceKey(Choice choice)
{
    if constexpr (requires { Choice::Typed; }) {
        if (choice == Choice::Typed)
            return TypedKey;
    }
    return ChoiceKey(choice);
}

template <typename Choice>
std::optional<Choice> choiceOf(const QString &key, std::optional<Choice> (*fromKey)(const QString &))
{
    if constexpr (requires { Choice::Typed; }) {
        if (key == TypedKey)
            return Choice::Typed;
    }
    return fromKey(key);
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

// Loads, heights, Lw and the like: a value outside the range the rules
// expect is the sheet's to warn about, so the file takes any number.
bool isNumberText(const QString &text)
{
    return isAreaText(text);
}

// The unit-load texts of the "loads" method, with their keys.
const std::array<std::pair<const char16_t *, QString UnitLoadTexts::*>, 9> LoadKeys{{
    {u"roof", &UnitLoadTexts::roof},
    {u"solar", &UnitLoadTexts::solar},
    {u"ceiling", &UnitLoadTexts::ceiling},
    {u"wallFinish", &UnitLoadTexts::wallFinish},
    {u"wallInsulation", &UnitLoadTexts::wallInsulation},
    {u"window", &UnitLoadTexts::window},
    {u"interiorWall", &UnitLoadTexts::interiorWall},
    {u"floor", &UnitLoadTexts::floor},
    {u"live", &UnitLoadTexts::live},
}};

// The texts of the computed methods besides the choices, with their keys.
const std::array<std::pair<const char16_t *, QString SeismicInputs::*>, 9> SeismicTextKeys{{
    {u"roofLoad", &SeismicInputs::roofLoad},
    {u"wallLoad", &SeismicInputs::wallLoad},
    {u"solarLoad", &SeismicInputs::solarLoad},
    {u"c0", &SeismicInputs::c0},
    {u"h1", &SeismicInputs::h1},
    {u"h2", &SeismicInputs::h2},
    {u"rise", &SeismicInputs::rise},
    {u"overhang", &SeismicInputs::overhang},
    {u"pitch", &SeismicInputs::pitch},
}};

// ---- writing ---------------------------------------------------------------

void writePair(JsonWriter &w, const QString &first, const QString &second)
{
    w.beginArray(JsonWriter::Inline);
    w.string(first);
    w.string(second);
    w.endArray();
}

// A side-part count: a whole number of places, not negative.
bool isWholeCountText(const QString &text)
{
    return text.isEmpty() || (isCountText(text) && TextValue(text) == std::floor(TextValue(text)));
}

void writeRow(JsonWriter &w, const CalcFileData::RowInputs &row, const SideCounts &counts,
              const std::array<QString, 2> &multipliers)
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
    if (!multipliers[0].isEmpty() || !multipliers[1].isEmpty()) {
        w.key(u"multiplier");
        writePair(w, multipliers[0], multipliers[1]);
    }
    // Only rows placed in side parts carry their counts, per direction.
    if (!IsBlank(counts)) {
        w.key(u"sideCounts");
        w.beginArray(JsonWriter::Inline);
        for (const auto &parts : counts)
            writePair(w, parts[0], parts[1]);
        w.endArray();
    }
    w.endObject();
}

bool storeyHasBalance(const SheetFileData &data, int s)
{
    for (const auto &direction : data.balance[s].parts)
        for (const SidePart &part : direction)
            if (!part.isBlank())
                return true;
    return false;
}

// The side parts of a storey, per direction, each a pair of objects.
void writeSideParts(JsonWriter &w, const StoreySideParts &parts)
{
    w.key(u"sideParts");
    w.beginArray();
    for (const auto &direction : parts) {
        w.beginArray(JsonWriter::Inline);
        for (const SidePart &part : direction) {
            w.beginObject(JsonWriter::Inline);
            w.key(u"floorArea");
            w.string(part.floorArea);
            w.key(u"multiplier");
            w.string(part.multiplier);
            w.key(u"oneStorey");
            w.boolean(part.oneStorey);
            w.endObject();
        }
        w.endArray();
    }
    w.endArray();
}

// The column diameter check of a storey: the storey's choices, then per
// direction the column and its length on one line.
void writeColumns(JsonWriter &w, const StoreyColumnInputs &in)
{
    w.key(u"columns");
    w.beginObject();
    w.key(u"method");
    w.string(ChoiceKey(in.method));
    w.key(u"directions");
    w.beginArray();
    for (const ColumnDirectionInputs &direction : in.direction) {
        w.beginObject(JsonWriter::Inline);
        w.key(u"length");
        w.string(direction.lengthMm);
        w.key(u"depth");
        w.string(direction.depthMm);
        w.key(u"width");
        w.string(direction.widthMm);
        w.endObject();
    }
    w.endArray();
    w.key(u"timber");
    w.string(in.timber);
    w.key(u"fc");
    w.string(in.typedFc);
    w.key(u"wdSource");
    w.string(ChoiceKey(in.wdSource));
    w.key(u"wd");
    w.string(in.typedWd);
    w.key(u"wdNote");
    w.string(in.wdNote);
    w.key(u"area");
    w.string(in.areaM2);
    w.endObject();
}

// The column-end joints of a storey: the method and the columns.
void writeJoints(JsonWriter &w, const JointStorey &storey)
{
    w.key(u"joints");
    w.beginObject();
    w.key(u"method");
    w.string(JointMethodKey(storey.method));
    w.key(u"columns");
    w.beginArray();
    for (const JointColumn &column : storey.columns) {
        w.beginObject();
        w.key(u"name");
        w.string(column.name);
        w.key(u"corner");
        w.boolean(column.corner);
        w.key(u"upper");
        w.string(UpperPullKey(column.upper));
        w.key(u"upperName");
        w.string(column.upperName);
        w.key(u"upperCorner");
        w.boolean(column.upperCorner);
        w.key(u"hardware");
        w.string(column.hardware);
        w.key(u"directions");
        w.beginArray();
        for (const JointDirection &direction : column.directions) {
            w.beginObject(JsonWriter::Inline);
            w.key(u"sides");
            w.beginArray(JsonWriter::Inline);
            for (const JointSide &side : direction.sides) {
                w.beginObject(JsonWriter::Inline);
                w.key(u"kind");
                w.string(side.kind);
                w.key(u"section");
                w.string(side.section);
                w.key(u"crossed");
                w.boolean(side.crossed);
                w.key(u"typed");
                w.string(side.typed);
                w.key(u"brace");
                w.string(BracePositionKey(side.braceAtHead));
                w.endObject();
            }
            w.endArray();
            w.key(u"correction");
            w.string(direction.correction);
            w.key(u"a2");
            w.string(direction.a2);
            w.endObject();
        }
        w.endArray();
        w.endObject();
    }
    w.endArray();
    w.endObject();
}

bool isEmptyRow(const CalcFileData::RowInputs &row)
{
    return std::all_of(row.begin(), row.end(), [](const QString &cell) { return cell.isEmpty(); });
}

void writeSeismic(JsonWriter &w, const SeismicInputs &in)
{
    w.beginObject();
    w.key(u"method");
    w.string(ChoiceKey(in.method));
    w.key(u"typedLw");
    writePair(w, in.typedLw[0], in.typedLw[1]);
    w.key(u"lwSource");
    w.string(in.lwSource);
    w.key(u"roof");
    w.string(choiceKey(in.roof));
    w.key(u"wall");
    w.string(choiceKey(in.wall));
    w.key(u"solar");
    w.string(choiceKey(in.solar));
    w.key(u"use");
    w.string(ChoiceKey(in.use));
    for (const auto &[key, member] : SeismicTextKeys) {
        w.key(key);
        w.string(in.*member);
    }
    w.key(u"loads");
    w.beginObject();
    for (const auto &[key, member] : LoadKeys) {
        w.key(key);
        w.string(in.loads.*member);
    }
    w.endObject();
    w.endObject();
}

void writeQuasiRow(JsonWriter &w, const QuasiWallRow &row)
{
    w.beginObject(JsonWriter::Inline);
    w.key(u"kind");
    w.string(row.kind);
    w.key(u"base");
    w.string(row.base);
    w.key(u"panelHeight");
    w.string(row.panelHeight);
    w.key(u"clearHeight");
    w.string(row.clearHeight);
    w.key(u"length");
    writePair(w, row.length[0], row.length[1]);
    w.key(u"places");
    writePair(w, row.places[0], row.places[1]);
    w.key(u"wallKind");
    w.string(QuasiKindKey(row.wallKind));
    w.key(u"bothSides");
    w.boolean(row.bothSides);
    w.endObject();
}

bool isEmptyQuasiRow(const QuasiWallRow &row)
{
    return row.kind.isEmpty() && row.wallKind == QuasiKind::Panel && !row.bothSides && row.base.isEmpty() && row.panelHeight.isEmpty() && row.clearHeight.isEmpty()
           && row.length[0].isEmpty() && row.length[1].isEmpty() && row.places[0].isEmpty()
           && row.places[1].isEmpty();
}

// The members of storey s that only the 2025 rules use.
void writeStorey2025(JsonWriter &w, const SheetFileData &data, int s)
{
    const FloorAreaInputs &floor = data.weightInputs.floor[s];
    w.key(u"voids");
    w.string(floor.voids);
    w.key(u"loftArea");
    w.string(floor.loftArea);
    w.key(u"loftHeight");
    w.string(floor.loftHeight);
    w.key(u"loftMaxHeight");
    w.string(floor.loftMaxHeight);
    w.key(u"memberDistance");
    w.string(data.weightInputs.memberDistance[s]);
    const std::vector<QuasiWallRow> &rows = data.quasiWalls[s];
    int used = static_cast<int>(rows.size());
    while (used > 0 && isEmptyQuasiRow(rows[used - 1]))
        --used;
    w.key(u"quasiWalls");
    w.beginArray();
    for (int r = 0; r < used; ++r)
        writeQuasiRow(w, rows[r]);
    w.endArray();
}

// The 2025 members alone, to tell whether a sheet holds anything there.
QByteArray encoded2025(const SheetFileData &data)
{
    JsonWriter w;
    w.beginObject();
    w.key(u"loftExemption");
    w.boolean(data.weightInputs.loftExemption);
    w.key(u"seismic");
    writeSeismic(w, data.weightInputs.seismic);
    for (int s = 0; s < WeightRuleStoreys; ++s)
        writeStorey2025(w, data, s);
    w.endObject();
    return w.bytes();
}

bool holds2025(const SheetFileData &data)
{
    static const QByteArray none = encoded2025(SheetFileData{});
    return data.rules == RuleSetKind::Rules2025 || encoded2025(data) != none;
}

// The keys of the checks beside the wall quantity in storey s, written and
// read as the list of checks below the readers says.
class ValueReader;
void writeCheckKeys(JsonWriter &w, const SheetFileData &data, int s);
void readCheckKeys(ValueReader &reader, const QJsonObject &storey, const QString &path, SheetFileData &data, int s);

void writeStoreys(JsonWriter &w, const SheetFileData &data)
{
    const CalcFileData &in = data.inputs;
    const bool with2025 = holds2025(data);
    w.beginArray();
    for (int s = 0; s < StoreyCount; ++s) {
        w.beginObject();
        w.key(u"floorArea");
        w.string(in.floorArea[s]);
        w.key(u"projectedArea");
        writePair(w, in.projectedArea[s], in.projectedArea[s + 3]);
        // Empty rows at the end are left out; those between rows in use
        // keep the rows' places in the grid.
        const BalanceStorey &sides = data.balance[s];
        auto countsOf = [&sides](int r) { return sides.counts(r); };
        int used = static_cast<int>(in.rows[s].size());
        while (used > 0 && isEmptyRow(in.rows[s][used - 1]) && IsBlank(countsOf(used - 1)))
            --used;
        w.key(u"rows");
        w.beginArray();
        const std::vector<std::array<QString, 2>> &multipliers = data.rowMultipliers[s];
        for (int r = 0; r < used; ++r)
            writeRow(w, in.rows[s][r], countsOf(r),
                     r < static_cast<int>(multipliers.size()) ? multipliers[r] : std::array<QString, 2>{});
        w.endArray();
        writeCheckKeys(w, data, s);
        if (with2025 && s < WeightRuleStoreys)
            writeStorey2025(w, data, s);
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

    // One of the keys of a choice ("tile", "typed", ...).
    template <typename Choice>
    void choice(const QJsonObject &object, const QString &path, const QString &key, Choice &target,
                std::optional<Choice> (*fromKey)(const QString &))
    {
        const QJsonValue value = object.value(key);
        if (value.isUndefined())
            return;
        const std::optional<Choice> chosen = value.isString() ? choiceOf(value.toString(), fromKey) : std::nullopt;
        if (!chosen)
            return fail(member(path, key));
        target = *chosen;
    }

    // A member that has to be an object, when it is there.
    std::optional<QJsonObject> object(const QJsonObject &parent, const QString &path, const QString &key)
    {
        const QJsonValue value = parent.value(key);
        if (value.isUndefined())
            return std::nullopt;
        if (!value.isObject()) {
            fail(member(path, key));
            return std::nullopt;
        }
        return value.toObject();
    }

private:
    QString m_where;
};

void readSideCounts(ValueReader &reader, const QJsonObject &object, const QString &path, SideCounts &counts)
{
    const std::optional<QJsonArray> directions = reader.array(object, path, QStringLiteral("sideCounts"), 2, 2);
    if (!directions)
        return;
    const QString countsPath = ValueReader::member(path, QStringLiteral("sideCounts"));
    for (int d = 0; d < 2; ++d) {
        const QString directionPath = ValueReader::element(countsPath, d);
        const QJsonValue direction = directions->at(d);
        if (!direction.isArray() || direction.toArray().size() != 2)
            return reader.fail(directionPath);
        for (int p = 0; p < 2; ++p) {
            const QJsonValue count = direction.toArray().at(p);
            if (!count.isString() || !isWholeCountText(count.toString()))
                return reader.fail(ValueReader::element(directionPath, p));
            counts[d][p] = count.toString();
        }
    }
}

void readSideParts(ValueReader &reader, const QJsonObject &storey, const QString &path, StoreySideParts &parts)
{
    const std::optional<QJsonArray> directions = reader.array(storey, path, QStringLiteral("sideParts"), 2, 2);
    if (!directions)
        return;
    const QString partsPath = ValueReader::member(path, QStringLiteral("sideParts"));
    for (int d = 0; d < 2; ++d) {
        const QString directionPath = ValueReader::element(partsPath, d);
        const QJsonValue direction = directions->at(d);
        if (!direction.isArray() || direction.toArray().size() != 2)
            return reader.fail(directionPath);
        for (int p = 0; p < 2; ++p) {
            const QString partPath = ValueReader::element(directionPath, p);
            const QJsonValue part = direction.toArray().at(p);
            if (!part.isObject())
                return reader.fail(partPath);
            const QJsonObject object = part.toObject();
            reader.text(object, partPath, QStringLiteral("floorArea"), parts[d][p].floorArea, isCountText);
            reader.text(object, partPath, QStringLiteral("multiplier"), parts[d][p].multiplier, isCountText);
            reader.boolean(object, partPath, QStringLiteral("oneStorey"), parts[d][p].oneStorey);
        }
    }
}

void readColumns(ValueReader &reader, const QJsonObject &storey, const QString &path, StoreyColumnInputs &in)
{
    const std::optional<QJsonObject> columns = reader.object(storey, path, QStringLiteral("columns"));
    if (!columns)
        return;
    const QString columnsPath = ValueReader::member(path, QStringLiteral("columns"));
    reader.choice(*columns, columnsPath, QStringLiteral("method"), in.method, ColumnMethodFromKey);
    if (const std::optional<QJsonArray> directions =
            reader.array(*columns, columnsPath, QStringLiteral("directions"), 2, 2)) {
        const QString directionsPath = ValueReader::member(columnsPath, QStringLiteral("directions"));
        for (int d = 0; d < 2; ++d) {
            const QString directionPath = ValueReader::element(directionsPath, d);
            if (!directions->at(d).isObject())
                return reader.fail(directionPath);
            const QJsonObject direction = directions->at(d).toObject();
            ColumnDirectionInputs &target = in.direction[d];
            reader.text(direction, directionPath, QStringLiteral("length"), target.lengthMm, isCountText);
            reader.text(direction, directionPath, QStringLiteral("depth"), target.depthMm, isCountText);
            reader.text(direction, directionPath, QStringLiteral("width"), target.widthMm, isCountText);
        }
    }
    reader.text(*columns, columnsPath, QStringLiteral("timber"), in.timber);
    reader.text(*columns, columnsPath, QStringLiteral("fc"), in.typedFc, isCountText);
    reader.choice(*columns, columnsPath, QStringLiteral("wdSource"), in.wdSource, WdSourceFromKey);
    reader.text(*columns, columnsPath, QStringLiteral("wd"), in.typedWd, isCountText);
    reader.text(*columns, columnsPath, QStringLiteral("wdNote"), in.wdNote);
    reader.text(*columns, columnsPath, QStringLiteral("area"), in.areaM2, isCountText);
}

bool isBraceKey(const QString &key)
{
    return key == BracePositionKey(true) || key == BracePositionKey(false);
}

void readJointColumn(ValueReader &reader, const QJsonValue &value, const QString &path, JointColumn &column)
{
    if (!value.isObject())
        return reader.fail(path);
    const QJsonObject object = value.toObject();
    reader.text(object, path, QStringLiteral("name"), column.name);
    reader.boolean(object, path, QStringLiteral("corner"), column.corner);
    reader.choice(object, path, QStringLiteral("upper"), column.upper, UpperPullFromKey);
    reader.text(object, path, QStringLiteral("upperName"), column.upperName);
    reader.boolean(object, path, QStringLiteral("upperCorner"), column.upperCorner);
    reader.text(object, path, QStringLiteral("hardware"), column.hardware);
    const std::optional<QJsonArray> directions = reader.array(object, path, QStringLiteral("directions"), 2, 2);
    if (!directions)
        return;
    const QString directionsPath = ValueReader::member(path, QStringLiteral("directions"));
    for (int d = 0; d < 2; ++d) {
        const QString directionPath = ValueReader::element(directionsPath, d);
        if (!directions->at(d).isObject())
            return reader.fail(directionPath);
        const QJsonObject direction = directions->at(d).toObject();
        JointDirection &target = column.directions[d];
        reader.text(direction, directionPath, QStringLiteral("correction"), target.correction, isNumberText);
        reader.text(direction, directionPath, QStringLiteral("a2"), target.a2, isNumberText);
        const std::optional<QJsonArray> sides = reader.array(direction, directionPath, QStringLiteral("sides"), 2, 2);
        if (!sides)
            continue;
        const QString sidesPath = ValueReader::member(directionPath, QStringLiteral("sides"));
        for (int i = 0; i < 2; ++i) {
            const QString sidePath = ValueReader::element(sidesPath, i);
            if (!sides->at(i).isObject())
                return reader.fail(sidePath);
            const QJsonObject side = sides->at(i).toObject();
            JointSide &out = target.sides[i];
            reader.text(side, sidePath, QStringLiteral("kind"), out.kind);
            reader.text(side, sidePath, QStringLiteral("section"), out.section);
            reader.boolean(side, sidePath, QStringLiteral("crossed"), out.crossed);
            reader.text(side, sidePath, QStringLiteral("typed"), out.typed, isNumberText);
            QString brace = BracePositionKey(out.braceAtHead);
            reader.text(side, sidePath, QStringLiteral("brace"), brace, isBraceKey);
            out.braceAtHead = brace == BracePositionKey(true);
        }
    }
}

void readJoints(ValueReader &reader, const QJsonObject &storey, const QString &path, JointStorey &joints)
{
    const std::optional<QJsonObject> object = reader.object(storey, path, QStringLiteral("joints"));
    if (!object)
        return;
    const QString jointsPath = ValueReader::member(path, QStringLiteral("joints"));
    reader.choice(*object, jointsPath, QStringLiteral("method"), joints.method, JointMethodFromKey);
    const std::optional<QJsonArray> columns =
        reader.array(*object, jointsPath, QStringLiteral("columns"), 0, MaxJointColumns);
    if (!columns)
        return;
    const QString columnsPath = ValueReader::member(jointsPath, QStringLiteral("columns"));
    joints.columns.assign(columns->size(), JointColumn{});
    for (qsizetype c = 0; c < columns->size(); ++c)
        readJointColumn(reader, columns->at(c), ValueReader::element(columnsPath, c), joints.columns[c]);
}

void readRow(ValueReader &reader, const QJsonValue &value, const QString &path, CalcFileData::RowInputs &row,
             SideCounts &counts)
{
    if (!value.isObject())
        return reader.fail(path);
    const QJsonObject object = value.toObject();
    reader.text(object, path, QStringLiteral("kind"), row[0]);
    reader.text(object, path, QStringLiteral("section"), row[1]);
    reader.text(object, path, QStringLiteral("xBracing"), row[2]);
    reader.pair(object, path, QStringLiteral("length"), row[3], row[5], isCountText);
    reader.pair(object, path, QStringLiteral("places"), row[4], row[6], isCountText);
    readSideCounts(reader, object, path, counts);
}

void readSeismic(ValueReader &reader, const QJsonObject &root, SeismicInputs &in)
{
    const QString path = QStringLiteral("seismic");
    const std::optional<QJsonObject> seismic = reader.object(root, QString(), path);
    if (!seismic)
        return;
    reader.choice(*seismic, path, QStringLiteral("method"), in.method, LwMethodFromKey);
    reader.pair(*seismic, path, QStringLiteral("typedLw"), in.typedLw[0], in.typedLw[1], isNumberText);
    reader.text(*seismic, path, QStringLiteral("lwSource"), in.lwSource);
    reader.choice(*seismic, path, QStringLiteral("roof"), in.roof, RoofFinishFromKey);
    reader.choice(*seismic, path, QStringLiteral("wall"), in.wall, WallFinishFromKey);
    reader.choice(*seismic, path, QStringLiteral("solar"), in.solar, SolarPanelsFromKey);
    reader.choice(*seismic, path, QStringLiteral("use"), in.use, BuildingUseFromKey);
    for (const auto &[key, member] : SeismicTextKeys)
        reader.text(*seismic, path, QString::fromUtf16(key), in.*member, isNumberText);
    const QString loadsPath = ValueReader::member(path, QStringLiteral("loads"));
    if (const std::optional<QJsonObject> loads = reader.object(*seismic, path, QStringLiteral("loads"))) {
        for (const auto &[key, member] : LoadKeys)
            reader.text(*loads, loadsPath, QString::fromUtf16(key), in.loads.*member, isNumberText);
    }
}

void readQuasiRow(ValueReader &reader, const QJsonValue &value, const QString &path, QuasiWallRow &row)
{
    if (!value.isObject())
        return reader.fail(path);
    const QJsonObject object = value.toObject();
    reader.text(object, path, QStringLiteral("kind"), row.kind);
    reader.text(object, path, QStringLiteral("base"), row.base, isNumberText);
    reader.text(object, path, QStringLiteral("panelHeight"), row.panelHeight, isNumberText);
    reader.text(object, path, QStringLiteral("clearHeight"), row.clearHeight, isNumberText);
    reader.pair(object, path, QStringLiteral("length"), row.length[0], row.length[1], isCountText);
    reader.pair(object, path, QStringLiteral("places"), row.places[0], row.places[1], isCountText);
    // A row of an earlier file has no kind: 準耐力壁 where its heights meet
    // that kind's condition, otherwise 垂れ壁・腰壁.
    const QJsonValue kind = object.value(QStringLiteral("wallKind"));
    if (kind.isUndefined()) {
        row.wallKind = QuasiKindOfEarlierRow(TextValue(row.panelHeight), TextValue(row.clearHeight));
    } else if (const std::optional<QuasiKind> known = QuasiKindFromKey(kind.toString()); known && kind.isString()) {
        row.wallKind = *known;
    } else {
        reader.fail(ValueReader::member(path, QStringLiteral("wallKind")));
    }
    reader.boolean(object, path, QStringLiteral("bothSides"), row.bothSides);
}

// ---- the checks beside the wall quantity -----------------------------------
// One entry per check, in the order a storey holds their keys: the quarter
// method's "sideParts" (its places per framing row are the rows'
// "sideCounts"), the column check's "columns", the joints' "joints". A
// storey writes a check's key only when it holds something of the check.

struct CheckKeys {
    bool (*storeyHas)(const SheetFileData &data, int s);
    void (*write)(JsonWriter &w, const SheetFileData &data, int s);
    void (*read)(ValueReader &reader, const QJsonObject &storey, const QString &path, SheetFileData &data, int s);
};

const CheckKeys Checks[] = {
    {storeyHasBalance,
     [](JsonWriter &w, const SheetFileData &data, int s) { writeSideParts(w, data.balance[s].parts); },
     [](ValueReader &reader, const QJsonObject &storey, const QString &path, SheetFileData &data, int s) {
         readSideParts(reader, storey, path, data.balance[s].parts);
     }},
    {[](const SheetFileData &data, int s) { return !data.columns[s].isBlank(); },
     [](JsonWriter &w, const SheetFileData &data, int s) { writeColumns(w, data.columns[s]); },
     [](ValueReader &reader, const QJsonObject &storey, const QString &path, SheetFileData &data, int s) {
         readColumns(reader, storey, path, data.columns[s]);
     }},
    {[](const SheetFileData &data, int s) { return !data.joints[s].isBlank(); },
     [](JsonWriter &w, const SheetFileData &data, int s) { writeJoints(w, data.joints[s]); },
     [](ValueReader &reader, const QJsonObject &storey, const QString &path, SheetFileData &data, int s) {
         readJoints(reader, storey, path, data.joints[s]);
     }},
};

void writeCheckKeys(JsonWriter &w, const SheetFileData &data, int s)
{
    for (const CheckKeys &check : Checks) {
        if (check.storeyHas(data, s))
            check.write(w, data, s);
    }
}

void readCheckKeys(ValueReader &reader, const QJsonObject &storey, const QString &path, SheetFileData &data, int s)
{
    for (const CheckKeys &check : Checks)
        check.read(reader, storey, path, data, s);
}

void readStorey2025(ValueReader &reader, const QJsonObject &storey, const QString &path, SheetFileData &data,
                    int s)
{
    FloorAreaInputs &floor = data.weightInputs.floor[s];
    reader.text(storey, path, QStringLiteral("voids"), floor.voids, isNumberText);
    reader.text(storey, path, QStringLiteral("loftArea"), floor.loftArea, isNumberText);
    reader.text(storey, path, QStringLiteral("loftHeight"), floor.loftHeight, isNumberText);
    reader.text(storey, path, QStringLiteral("loftMaxHeight"), floor.loftMaxHeight, isNumberText);
    reader.text(storey, path, QStringLiteral("memberDistance"), data.weightInputs.memberDistance[s], isNumberText);
    const std::optional<QJsonArray> rows = reader.array(storey, path, QStringLiteral("quasiWalls"), 0, QuasiRowCount);
    if (!rows)
        return;
    const QString rowsPath = ValueReader::member(path, QStringLiteral("quasiWalls"));
    for (int r = 0; r < rows->size(); ++r)
        readQuasiRow(reader, rows->at(r), ValueReader::element(rowsPath, r), data.quasiWalls[s][r]);
}

void readStoreys(ValueReader &reader, const QJsonObject &root, SheetFileData &data)
{
    CalcFileData &in = data.inputs;
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
        const QString rowsPath = ValueReader::member(path, QStringLiteral("rows"));
        if (const std::optional<QJsonArray> rows =
                reader.array(storey, path, QStringLiteral("rows"), 0, FramingRowCount(s))) {
            for (int r = 0; r < rows->size(); ++r)
                readRow(reader, rows->at(r), ValueReader::element(rowsPath, r), in.rows[s][r],
                        data.balance[s].counts(r));
        }
        readCheckKeys(reader, storey, path, data, s);
        if (s < WeightRuleStoreys)
            readStorey2025(reader, storey, path, data, s);
    }
}

// "certifiedWalls": [{"name": ..., "multiplier": "2.5"}, ...]
void readKeptWalls(ValueReader &reader, const QJsonObject &root, CertifiedWallList &walls)
{
    const QString key = QStringLiteral("certifiedWalls");
    const std::optional<QJsonArray> items = reader.array(root, QString(), key, 0, MaxCertifiedPosition + 1);
    if (!items)
        return;
    for (qsizetype i = 0; i < items->size(); ++i) {
        const QString path = ValueReader::element(key, i);
        if (!items->at(i).isObject())
            return reader.fail(path);
        const QJsonObject object = items->at(i).toObject();
        QString name, multiplier;
        reader.text(object, path, QStringLiteral("name"), name);
        reader.text(object, path, QStringLiteral("multiplier"), multiplier, isCountText);
        if (reader.failed())
            return;
        if (name.isEmpty() || !IsCertifiedMultiplier(TextValue(multiplier)))
            return reader.fail(ValueReader::member(path, name.isEmpty() ? QStringLiteral("name")
                                                                        : QStringLiteral("multiplier")));
        walls.append(CertifiedWall{name, TextSingle(multiplier)});
    }
}

void readAll(ValueReader &reader, const QJsonObject &root, SheetFileData &data)
{
    CalcFileData &in = data.inputs;
    reader.text(root, QString(), QStringLiteral("title"), in.titleName);
    int storeys = in.storeyIndex + 1;
    reader.integer(root, QString(), QStringLiteral("storeyCount"), storeys, 1, StoreyCount);
    in.storeyIndex = storeys - 1;
    reader.integer(root, QString(), QStringLiteral("weight"), in.weightType, 0, 1);
    reader.integer(root, QString(), QStringLiteral("certifiedWall"), in.certifiedChoice, -1, MaxCertifiedPosition);
    reader.boolean(root, QString(), QStringLiteral("strongWind"), in.strongWind);
    reader.integer(root, QString(), QStringLiteral("strongWindFactor"), data.strongWindFactor, WallCoefficientMin,
                   WallCoefficientMax);
    readKeptWalls(reader, root, data.keptWalls);
    if (const std::optional<QJsonArray> merge = reader.array(root, QString(), QStringLiteral("merge"), 3, 3)) {
        for (int c = 0; c < 3; ++c) {
            if (!merge->at(c).isBool())
                return reader.fail(ValueReader::element(QStringLiteral("merge"), c));
            in.merge[c] = merge->at(c).toBool();
        }
    }
    reader.boolean(root, QString(), QStringLiteral("loftExemption"), data.weightInputs.loftExemption);
    readSeismic(reader, root, data.weightInputs.seismic);
    readStoreys(reader, root, data);
    // The 2025 rules are for one- and two-storey buildings only.
    if (data.rules == RuleSetKind::Rules2025 && in.storeyIndex >= WeightRuleStoreys)
        reader.fail(QStringLiteral("storeyCount"));
}

// The input cells of a quasi-bearing row, without its derived cells.
QuasiWallRow QuasiInputsOf(const QuasiWallRow &row)
{
    QuasiWallRow inputs;
    inputs.kind = row.kind;
    inputs.base = row.base;
    inputs.panelHeight = row.panelHeight;
    inputs.clearHeight = row.clearHeight;
    inputs.length = row.length;
    inputs.places = row.places;
    inputs.wallKind = row.wallKind;
    inputs.bothSides = row.bothSides;
    return inputs;
}

QByteArray withoutByteOrderMark(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
}

} // namespace

// ---- data --------------------------------------------------------------------

SheetFileData::SheetFileData()
{
    for (std::vector<QuasiWallRow> &rows : quasiWalls)
        rows.assign(QuasiRowCount, QuasiWallRow{});
    for (int s = 0; s < StoreyCount; ++s)
        balance[s].rowCounts.assign(FramingRowCount(s), SideCounts{});
}

SheetFileData SheetFileDataOf(const CalcSheet &sheet)
{
    SheetFileData data;
    data.rules = sheet.ruleSetKind();
    data.inputs = CalcFileDataOf(sheet);
    data.weightInputs = sheet.weightInputs;
    for (int s = 0; s < WeightRuleStoreys; ++s) {
        const int count = std::min<int>(QuasiRowCount, static_cast<int>(sheet.quasiWalls[s].size()));
        for (int r = 0; r < count; ++r)
            data.quasiWalls[s][r] = QuasiInputsOf(sheet.quasiWalls[s][r]);
    }
    data.balance = sheet.balance;
    for (int s = 0; s < StoreyCount; ++s)
        data.balance[s].rowCounts.resize(FramingRowCount(s));
    data.columns = sheet.columns;
    data.joints = sheet.joints;
    for (int s = 0; s < StoreyCount; ++s) {
        const int count = std::min<int>(FramingRowCount(s), static_cast<int>(sheet.framing[s].size()));
        data.rowMultipliers[s].assign(count, {});
        for (int r = 0; r < count; ++r) {
            const FramingRow &row = sheet.framing[s][r];
            data.rowMultipliers[s][r] = {row[ColMultiplier0], row[ColMultiplier1]};
        }
    }
    data.keptWalls = UsedCertifiedWalls(sheet);
    if (sheet.strongWind)
        data.strongWindFactor = static_cast<int>(std::lround(TextValue(sheet.windFactor[0]) * 100.0));
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
    w.string(QString::fromLatin1(SheetFileFormat));
    w.key(u"version");
    w.integer(SheetFileVersion);
    w.key(u"rules");
    w.string(RuleSetKey(data.rules));
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
    if (data.strongWindFactor > 0) {
        w.key(u"strongWindFactor");
        w.integer(data.strongWindFactor);
    }
    if (!data.keptWalls.isEmpty()) {
        w.key(u"certifiedWalls");
        w.beginArray();
        for (const CertifiedWall &wall : data.keptWalls) {
            w.beginObject(JsonWriter::Inline);
            w.key(u"name");
            w.string(wall.name);
            w.key(u"multiplier");
            w.string(SingleText(wall.multiplier));
            w.endObject();
        }
        w.endArray();
    }
    w.key(u"merge");
    w.beginArray(JsonWriter::Inline);
    for (bool mark : in.merge)
        w.boolean(mark);
    w.endArray();
    if (holds2025(data)) {
        w.key(u"loftExemption");
        w.boolean(data.weightInputs.loftExemption);
        w.key(u"seismic");
        writeSeismic(w, data.weightInputs.seismic);
    }
    w.key(u"storeys");
    writeStoreys(w, data);
    w.endObject();
    return w.bytes();
}

WriteResult WriteSheetFile(const QString &path, const SheetFileData &data)
{
    const QByteArray bytes = EncodeSheetFile(data);
    // The reader refuses a larger file: one written here must open again.
    if (bytes.size() > MaxSheetFileSize)
        return WriteResult{false, Str(S::FileTooLargeToWrite).arg(MaxSheetFileSize)};
    return WriteFileSafely(path, bytes);
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
    if (!rules.isUndefined()) {
        if (const std::optional<RuleSetKind> kind = rules.isString() ? RuleSetFromKey(rules.toString()) : std::nullopt)
            result.data.rules = *kind;
        else
            reader.fail(QStringLiteral("rules"));
    }
    readAll(reader, root, result.data);
    if (reader.failed())
        return refuse(SheetFileStatus::BadValue, reader.where());
    return result;
}

QString NewerVersionMessage(const QString &path, const QString &version)
{
    return Str(S::NewerSheetFile).arg(path, version);
}

QString BadValueMessage(const QString &path, const QString &where)
{
    return Str(S::BadSheetFileValue).arg(path, where);
}

SheetFileRead ReadSheetFile(const QString &path)
{
    SheetFileRead result;
    auto cannotOpen = [&]() {
        result.status = SheetFileStatus::CannotOpen;
        result.message = CannotOpenMessage(path);
        return result;
    };

    if (path.isEmpty())
        return cannotOpen();
    // Only a regular file is read: a FIFO or a device named here would keep
    // the program waiting for ever. The larger of the two limits applies;
    // each parser keeps its own.
    const ReadResult read = ReadFileSafely(path, std::max(MaxSheetFileSize, MaxCalcFileSize));
    if (read.status == ReadStatus::TooLarge) {
        result.status = SheetFileStatus::NotDataFile;
        result.message = NotDataFileMessage();
        return result;
    }
    if (read.status != ReadStatus::Ok)
        return cannotOpen();
    const QByteArray &bytes = read.bytes;

    if (!LooksLikeSheetFile(bytes)) {
        const std::optional<CalcFileData> old = ParseCalcFile(bytes);
        if (!old) {
            result.status = SheetFileStatus::NotDataFile;
            result.message = NotDataFileMessage();
            return result;
        }
        result.data = SheetFileDataOfCalcFile(*old, &result.droppedInputs);
        // The numbers stay as the file held them: applying the data names
        // each one the sheet cannot take, where emptying them here would
        // judge the sheet without them and say nothing.
        const int choice = result.data.inputs.certifiedChoice;
        result.data.inputs = *old;
        result.data.inputs.certifiedChoice = choice;
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

std::vector<RefusedCell> ApplySheetFile(CalcSheet &sheet, const SheetFileData &data, int wallCoefficeient)
{
    const CalcSheet::RecalcBatch batch(sheet);   // each storey once, at the end
    // The file's walls and strong-wind factor give the results it was saved with.
    if (data.strongWindFactor > 0)
        wallCoefficeient = data.strongWindFactor;
    std::vector<RefusedCell> refused = ApplyCalcFile(sheet, data.inputs, wallCoefficeient);
    sheet.keptWalls = data.keptWalls;
    sheet.weightInputs = data.weightInputs;
    for (int s = 0; s < WeightRuleStoreys; ++s) {
        std::vector<QuasiWallRow> &rows = sheet.quasiWalls[s];
        rows.assign(QuasiRowCount, QuasiWallRow{});
        const int count = std::min<int>(QuasiRowCount, static_cast<int>(data.quasiWalls[s].size()));
        for (int r = 0; r < count; ++r)
            rows[r] = QuasiInputsOf(data.quasiWalls[s][r]);
    }
    sheet.balance = data.balance;
    sheet.columns = data.columns;
    sheet.joints = data.joints;
    for (int s = 0; s < StoreyCount; ++s)
        sheet.balance[s].rowCounts.resize(sheet.framing[s].size());
    // The reader refuses a three-storey sheet under the 2025 rules, the only
    // case the switch refuses.
    sheet.SetRuleSet(data.rules);
    sheet.Recalculate();
    sheet.changed = false;
    return refused;
}

std::vector<RefusedCell> ApplySheetFile(CalcSheet &sheet, const SheetFileData &data)
{
    return ApplySheetFile(sheet, data, data.inputs.strongWind ? ReadWallCoefficient() : WallCoefficientDefault);
}

} // namespace quiren
