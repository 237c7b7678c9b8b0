#include "core/print/TrueTypeFace.h"

#include <QtEndian>

#include <algorithm>
#include <optional>

namespace quiren {

namespace {

constexpr quint32 Tag(const char *tag)
{
    return quint32(quint8(tag[0])) << 24 | quint32(quint8(tag[1])) << 16 | quint32(quint8(tag[2])) << 8
           | quint32(quint8(tag[3]));
}

// Big-endian numbers at an offset the caller has checked.
quint16 U16(QByteArrayView bytes, qsizetype at)
{
    return qFromBigEndian<quint16>(bytes.data() + at);
}
quint32 U32(QByteArrayView bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.data() + at);
}

void PutU16(QByteArray &bytes, qsizetype at, quint16 value)
{
    qToBigEndian<quint16>(value, bytes.data() + at);
}
void PutU32(QByteArray &bytes, qsizetype at, quint32 value)
{
    qToBigEndian<quint32>(value, bytes.data() + at);
}
void AppendU16(QByteArray &bytes, quint16 value)
{
    bytes.append(char(value >> 8)).append(char(value & 0xFF));
}
void AppendU32(QByteArray &bytes, quint32 value)
{
    AppendU16(bytes, quint16(value >> 16));
    AppendU16(bytes, quint16(value & 0xFFFF));
}

// The sum a table directory and "head" keep of a table: its 32-bit words
// added up, the last one padded with zeros.
quint32 Checksum(QByteArrayView bytes)
{
    quint32 sum = 0;
    qsizetype at = 0;
    for (; at + 4 <= bytes.size(); at += 4)
        sum += U32(bytes, at);
    quint32 last = 0;
    for (int shift = 24; at < bytes.size(); ++at, shift -= 8)
        last |= quint32(quint8(bytes[at])) << shift;
    return sum + last;
}

// An outline without its hinting instructions: the sheet's font is set
// unhinted, so they (and the programs and values they call on) would only
// make each PDF larger. Nothing for an outline cut short, and for a
// composite glyph, which IPAex fonts do not have: a face with them is left
// to Qt to embed.
std::optional<QByteArray> UnhintedOutline(QByteArrayView outline)
{
    if (outline.isEmpty())
        return QByteArray();
    if (outline.size() < 12 || qint16(U16(outline, 0)) < 0)
        return std::nullopt;
    const qsizetype lengthAt = 10 + 2 * qsizetype(U16(outline, 0));
    if (lengthAt + 2 > outline.size())
        return std::nullopt;
    const qsizetype instructions = U16(outline, lengthAt);
    if (lengthAt + 2 + instructions > outline.size())
        return std::nullopt;
    QByteArray bare = outline.first(lengthAt + 2).toByteArray();
    PutU16(bare, lengthAt, 0);
    bare.append(outline.sliced(lengthAt + 2 + instructions));
    return bare;
}

} // namespace

std::unique_ptr<TrueTypeFace> TrueTypeFace::Open(const QString &path)
{
    std::unique_ptr<TrueTypeFace> face(new TrueTypeFace);
    face->m_file.setFileName(path);
    if (!face->m_file.open(QIODevice::ReadOnly))
        return nullptr;
    const qint64 size = face->m_file.size();
    const uchar *mapped = face->m_file.map(0, size);
    if (!mapped)
        return nullptr;
    face->m_bytes = QByteArrayView(reinterpret_cast<const char *>(mapped), size);
    if (!face->read())
        return nullptr;
    return face;
}

std::unique_ptr<TrueTypeFace> TrueTypeFace::FromBytes(QByteArrayView bytes)
{
    std::unique_ptr<TrueTypeFace> face(new TrueTypeFace);
    face->m_bytes = bytes;
    if (!face->read())
        return nullptr;
    return face;
}

QByteArrayView TrueTypeFace::table(const char *tag) const
{
    const quint32 wanted = Tag(tag);
    for (const Table &table : m_tables) {
        if (table.tag == wanted)
            return table.bytes;
    }
    return {};
}

bool TrueTypeFace::read()
{
    if (m_bytes.size() < 12)
        return false;
    const quint32 version = U32(m_bytes, 0);
    if (version != 0x00010000 && version != Tag("true"))
        return false;
    const int tableCount = U16(m_bytes, 4);
    if (12 + 16 * qsizetype(tableCount) > m_bytes.size())
        return false;
    for (int i = 0; i < tableCount; ++i) {
        const qsizetype record = 12 + 16 * qsizetype(i);
        const quint32 offset = U32(m_bytes, record + 8);
        const quint32 length = U32(m_bytes, record + 12);
        if (qsizetype(offset) + qsizetype(length) > m_bytes.size())
            return false;
        m_tables.append({U32(m_bytes, record), m_bytes.sliced(offset, length)});
    }

    const QByteArrayView head = table("head"), maxp = table("maxp"), hhea = table("hhea");
    m_metrics = table("hmtx");
    m_offsets = table("loca");
    m_glyphTable = table("glyf");
    if (head.size() < 54 || maxp.size() < 6 || hhea.size() < 36 || m_glyphTable.isEmpty())
        return false;
    m_unitsPerEm = U16(head, 18);
    m_longOffsets = qint16(U16(head, 50)) == 1;
    m_glyphCount = U16(maxp, 4);
    m_metricCount = U16(hhea, 34);
    if (m_unitsPerEm == 0 || m_glyphCount == 0 || m_metricCount == 0 || m_metricCount > m_glyphCount
        || m_metrics.size() < 4 * qsizetype(m_metricCount)
        || m_offsets.size() < (m_glyphCount + 1) * (m_longOffsets ? 4 : 2))
        return false;
    return readCharacterMap();
}

bool TrueTypeFace::readCharacterMap()
{
    const QByteArrayView cmap = table("cmap");
    if (cmap.size() < 4)
        return false;
    const int count = U16(cmap, 2);
    if (4 + 8 * qsizetype(count) > cmap.size())
        return false;
    for (int i = 0; i < count; ++i) {
        const int platform = U16(cmap, 4 + 8 * i), encoding = U16(cmap, 6 + 8 * i);
        const quint32 offset = U32(cmap, 8 + 8 * i);
        const bool unicode = platform == 0 || (platform == 3 && encoding == 1);
        if (!unicode || qsizetype(offset) + 14 > cmap.size() || U16(cmap, offset) != 4)
            continue;
        const int length = U16(cmap, offset + 2);
        if (qsizetype(offset) + length > cmap.size())
            continue;
        const QByteArrayView subtable = cmap.sliced(offset, length);
        const int segments = U16(subtable, 6) / 2;
        if (16 + 8 * qsizetype(segments) > subtable.size())
            continue;
        m_characterMap = subtable;
        m_segments = segments;
        return true;
    }
    return false;
}

quint16 TrueTypeFace::glyphFor(char16_t c) const
{
    // The segments are in order of their last character: the first that ends
    // at or after c holds it, if it starts at or before it.
    const qsizetype ends = 14, starts = 16 + 2 * qsizetype(m_segments),
                    deltas = starts + 2 * qsizetype(m_segments), ranges = deltas + 2 * qsizetype(m_segments);
    int low = 0, high = m_segments;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (U16(m_characterMap, ends + 2 * middle) < c)
            low = middle + 1;
        else
            high = middle;
    }
    if (low == m_segments || U16(m_characterMap, starts + 2 * low) > c)
        return 0;
    const quint16 start = U16(m_characterMap, starts + 2 * low);
    const quint16 delta = U16(m_characterMap, deltas + 2 * low);
    const quint16 rangeOffset = U16(m_characterMap, ranges + 2 * low);
    quint16 glyph = 0;
    if (rangeOffset == 0) {
        glyph = quint16(c + delta);
    } else {
        const qsizetype at = ranges + 2 * qsizetype(low) + rangeOffset + 2 * qsizetype(c - start);
        if (at + 2 > m_characterMap.size())
            return 0;
        glyph = U16(m_characterMap, at);
        if (glyph != 0)
            glyph = quint16(glyph + delta);
    }
    return glyph < m_glyphCount ? glyph : 0;
}

int TrueTypeFace::advance(quint16 glyph) const
{
    const int metric = std::min<int>(glyph, m_metricCount - 1);
    return U16(m_metrics, 4 * metric);
}

QByteArrayView TrueTypeFace::outline(quint16 glyph) const
{
    if (glyph >= m_glyphCount)
        return {};
    const qsizetype start = m_longOffsets ? U32(m_offsets, 4 * glyph) : 2 * qsizetype(U16(m_offsets, 2 * glyph));
    const qsizetype end = m_longOffsets ? U32(m_offsets, 4 * glyph + 4) : 2 * qsizetype(U16(m_offsets, 2 * glyph + 2));
    if (start > end || end > m_glyphTable.size())
        return {};
    return m_glyphTable.sliced(start, end - start);
}

QByteArray TrueTypeFace::postScriptName() const
{
    const QByteArrayView names = table("name");
    if (names.size() < 6)
        return {};
    const int count = U16(names, 2);
    const qsizetype strings = U16(names, 4);
    for (int i = 0; i < count && 6 + 12 * qsizetype(i + 1) <= names.size(); ++i) {
        const qsizetype record = 6 + 12 * qsizetype(i);
        const int platform = U16(names, record), nameId = U16(names, record + 6);
        const qsizetype length = U16(names, record + 8), at = strings + U16(names, record + 10);
        if (nameId != 6 || (platform != 1 && platform != 3) || at + length > names.size())
            continue;
        // Mac Roman bytes, or UTF-16 whose characters are all ASCII here.
        const int step = platform == 3 ? 2 : 1;
        QByteArray name;
        for (qsizetype c = at + step - 1; c < at + length; c += step) {
            const char letter = names[c];
            if ((letter >= '0' && letter <= '9') || (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')
                || letter == '-' || letter == '_')
                name.append(letter);
        }
        if (!name.isEmpty())
            return name;
    }
    return {};
}

QByteArray SubsetTrueTypeFace(const TrueTypeFace &face, const QList<quint16> &glyphs)
{
    if (glyphs.size() > 0xFFFF)
        return {};
    QByteArray outlines;
    QList<quint32> offsets;
    for (const quint16 glyph : glyphs) {
        if (glyph >= face.glyphCount())
            return {};
        const std::optional<QByteArray> bare = UnhintedOutline(face.outline(glyph));
        if (!bare)
            return {};
        offsets.append(quint32(outlines.size()));
        outlines.append(*bare);
        while (outlines.size() % 4)
            outlines.append('\0');
    }
    offsets.append(quint32(outlines.size()));
    const quint16 count = quint16(glyphs.size());

    QByteArray locations;
    for (const quint32 offset : offsets)
        AppendU32(locations, offset);
    QByteArray metrics;
    const QByteArrayView hmtx = face.table("hmtx");
    const int metricCount = U16(face.table("hhea"), 34);
    for (const quint16 glyph : glyphs) {
        AppendU16(metrics, quint16(face.advance(glyph)));
        // A glyph past the metrics keeps its left side bearing in the list
        // after them.
        const qsizetype bearing = glyph < metricCount ? 4 * qsizetype(glyph) + 2
                                                      : 4 * qsizetype(metricCount) + 2 * qsizetype(glyph - metricCount);
        AppendU16(metrics, bearing + 2 <= hmtx.size() ? U16(hmtx, bearing) : 0);
    }
    QByteArray head = face.table("head").toByteArray();
    PutU32(head, 8, 0);        // the file's checksum adjustment, set below
    PutU16(head, 50, 1);       // long offsets
    QByteArray hhea = face.table("hhea").toByteArray();
    PutU16(hhea, 34, count);
    QByteArray maxp = face.table("maxp").toByteArray();
    PutU16(maxp, 4, count);

    struct Out {
        const char *tag;
        QByteArray bytes;
    };
    // In order of their tags, as the directory must list them.
    const QList<Out> tables{{"glyf", outlines}, {"head", head}, {"hhea", hhea},
                            {"hmtx", metrics},  {"loca", locations}, {"maxp", maxp}};

    const quint16 tableCount = quint16(tables.size());
    quint16 power = 1, log2 = 0;
    while (power * 2 <= tableCount) {
        power *= 2;
        ++log2;
    }
    QByteArray font;
    AppendU32(font, 0x00010000);
    AppendU16(font, tableCount);
    AppendU16(font, quint16(power * 16));
    AppendU16(font, log2);
    AppendU16(font, quint16(tableCount * 16 - power * 16));
    qsizetype offset = 12 + 16 * qsizetype(tableCount);
    qsizetype headAt = 0;
    for (const Out &table : tables) {
        AppendU32(font, Tag(table.tag));
        AppendU32(font, Checksum(table.bytes));
        AppendU32(font, quint32(offset));
        AppendU32(font, quint32(table.bytes.size()));
        offset += (table.bytes.size() + 3) / 4 * 4;
    }
    for (const Out &table : tables) {
        if (Tag(table.tag) == Tag("head"))
            headAt = font.size();
        font.append(table.bytes);
        while (font.size() % 4)
            font.append('\0');
    }
    PutU32(font, headAt + 8, 0xB1B0AFBA - Checksum(font));
    return font;
}

} // namespace quiren
