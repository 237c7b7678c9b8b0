#include "core/print/PdfTextLayer.h"

#include "core/text/HexDigits.h"

#include <QHash>
#include <QMutex>
#include <QRawFont>
#include <QString>

#include <algorithm>
#include <iterator>

namespace quiren {

namespace {

constexpr char32_t RadicalsFirst = 0x2E80;
constexpr char32_t RadicalsLast = 0x2FDF;

// Characters the sheet draws whose glyph the font also gives to a lower code
// point: the blank (the tab), the ideographic space (the em space), and the
// CP932 forms the program keeps its texts in ("～", "－", "∥", "―", "￠",
// "￡", "￢"; their look-alikes).
constexpr char16_t SheetCharacters[] = {0x0020, 0x3000, 0xFF5E, 0xFF0D, 0x2225, 0x2015, 0xFFE0, 0xFFE1, 0xFFE2};

bool isRadical(char16_t c) { return c >= RadicalsFirst && c <= RadicalsLast; }
bool isIdeograph(char16_t c) { return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF); }
bool isSheetCharacter(char16_t c) { return std::find(std::begin(SheetCharacters), std::end(SheetCharacters), c) != std::end(SheetCharacters); }

// Radical -> the ideograph drawn with the same glyph in `font`.
QHash<char16_t, char16_t> RadicalIdeographs(const QFont &font)
{
    static QMutex mutex;
    static QHash<QString, QHash<char16_t, char16_t>> cache;
    const QMutexLocker lock(&mutex);
    const QString key = font.family();
    if (const auto found = cache.constFind(key); found != cache.cend())
        return *found;

    QHash<char16_t, char16_t> radicals;
    const QRawFont raw = QRawFont::fromFont(font);
    if (raw.isValid()) {
        // The glyph of each ideograph (CJK Unified Ideographs and their
        // Extension A), the lowest code point first.
        QString ideographs;
        for (char16_t c = 0x3400; c <= 0x4DBF; ++c)
            ideographs += QChar(c);
        for (char32_t c = 0x4E00; c <= 0x9FFF; ++c)
            ideographs += QChar(static_cast<char16_t>(c));
        const QList<quint32> glyphs = raw.glyphIndexesForString(ideographs);
        QHash<quint32, char16_t> ideographOfGlyph;
        for (qsizetype i = 0; i < glyphs.size() && i < ideographs.size(); ++i)
            if (glyphs[i] != 0 && !ideographOfGlyph.contains(glyphs[i]))
                ideographOfGlyph.insert(glyphs[i], ideographs[i].unicode());

        QString radicalText;
        for (char32_t c = RadicalsFirst; c <= RadicalsLast; ++c)
            radicalText += QChar(static_cast<char16_t>(c));
        const QList<quint32> radicalGlyphs = raw.glyphIndexesForString(radicalText);
        for (qsizetype i = 0; i < radicalGlyphs.size() && i < radicalText.size(); ++i) {
            const auto ideograph = ideographOfGlyph.constFind(radicalGlyphs[i]);
            if (radicalGlyphs[i] != 0 && ideograph != ideographOfGlyph.cend())
                radicals.insert(radicalText[i].unicode(), *ideograph);
        }
        // Each lower code point sharing its glyph with one of the sheet's
        // characters goes back to the sheet's own.
        QString below;
        for (char32_t c = 1; c < 0xFFE2; ++c)
            if (c < 0xD800 || c > 0xDFFF)
                below += QChar(static_cast<char16_t>(c));
        const QList<quint32> belowGlyphs = raw.glyphIndexesForString(below);
        for (char16_t own : SheetCharacters) {
            const quint32 glyph = raw.glyphIndexesForString(QString(QChar(own))).value(0);
            if (glyph == 0)
                continue;
            for (qsizetype i = 0; i < belowGlyphs.size() && i < below.size(); ++i) {
                const char16_t c = below[i].unicode();
                if (c >= own)
                    break;
                if (belowGlyphs[i] == glyph)
                    radicals.insert(c, own);
            }
        }
    }
    cache.insert(key, radicals);
    return radicals;
}

// The value of a token "<HHHH>" at `at`, or -1.
int FourHexDigits(const QByteArray &pdf, qsizetype at)
{
    if (at + 6 > pdf.size() || pdf[at] != '<' || pdf[at + 5] != '>')
        return -1;
    int value = 0;
    for (int i = 1; i <= 4; ++i) {
        const int digit = HexDigitValue(pdf[at + i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

void WriteFourHexDigits(QByteArray &pdf, qsizetype at, char16_t value)
{
    for (int i = 4; i >= 1; --i) {
        pdf[at + i] = HexDigit(value);
        value >>= 4;
    }
}

// Rewrites the destinations of one uncompressed ToUnicode map lying in
// pdf[begin, end): the code points inside "[...]" arrays, and the third
// token of a "<lo> <hi> <dst>" line whose range is a single glyph (and of a
// "<glyph> <dst>" line).
template <typename Replacement>
void MendMap(QByteArray &pdf, qsizetype begin, qsizetype end, Replacement &replacementFor)
{
    auto mend = [&](qsizetype at) {
        const int value = FourHexDigits(pdf, at);
        if (value < 0)
            return;
        const char16_t written = static_cast<char16_t>(value);
        if (const char16_t own = replacementFor(written); own != written)
            WriteFourHexDigits(pdf, at, own);
    };
    qsizetype lineStart = begin;
    while (lineStart < end) {
        qsizetype lineEnd = pdf.indexOf('\n', lineStart);
        if (lineEnd < 0 || lineEnd > end)
            lineEnd = end;
        // The tokens of the line, and whether an array opens on it.
        QList<qsizetype> tokens;
        qsizetype array = -1;
        for (qsizetype i = lineStart; i < lineEnd; ++i) {
            if (pdf[i] == '[' && array < 0)
                array = tokens.size();
            else if (pdf[i] == '<')
                tokens.append(i);
        }
        if (array >= 0) {
            for (qsizetype t = array; t < tokens.size(); ++t)
                mend(tokens[t]);
        } else if (tokens.size() == 3 && FourHexDigits(pdf, tokens[0]) >= 0
                   && FourHexDigits(pdf, tokens[0]) == FourHexDigits(pdf, tokens[1])) {
            mend(tokens[2]);
        } else if (tokens.size() == 2) {
            mend(tokens[1]);
        }
        lineStart = lineEnd + 1;
    }
}

// What a text map should say for the code points Qt wrote, worked out from
// the characters the sheet drew: a radical that shares its glyph with a drawn
// ideograph, or a lower code point that shares it with a drawn sheet
// character, becomes that character. Only the code points the maps hold are
// looked up in the font (looking up the whole font took longer than drawing
// the sheet).
class DrawnCharacters {
public:
    DrawnCharacters(const QFont &font, const QString &drawn)
        : m_font(QRawFont::fromFont(font))
    {
        if (!m_font.isValid())
            return;
        const QList<quint32> glyphs = m_font.glyphIndexesForString(drawn);
        for (qsizetype i = 0; i < glyphs.size() && i < drawn.size(); ++i) {
            const char16_t c = drawn[i].unicode();
            if (glyphs[i] != 0 && (isIdeograph(c) || isSheetCharacter(c)) && !m_ownOfGlyph.contains(glyphs[i]))
                m_ownOfGlyph.insert(glyphs[i], c);
        }
    }

    char16_t operator()(char16_t written)
    {
        if (m_ownOfGlyph.isEmpty())
            return written;
        if (const auto known = m_found.constFind(written); known != m_found.cend())
            return *known;
        char16_t own = written;
        const quint32 glyph = m_font.glyphIndexesForString(QString(QChar(written))).value(0);
        if (const auto drawn = m_ownOfGlyph.constFind(glyph); glyph != 0 && drawn != m_ownOfGlyph.cend()) {
            if ((isRadical(written) && isIdeograph(*drawn)) || (isSheetCharacter(*drawn) && written < *drawn))
                own = *drawn;
        }
        m_found.insert(written, own);
        return own;
    }

private:
    QRawFont m_font;
    QHash<quint32, char16_t> m_ownOfGlyph;   // the lowest drawn character of each glyph
    QHash<char16_t, char16_t> m_found;
};

} // namespace

QString IdeographsForRadicals(const QString &text, const QFont &font)
{
    const QHash<char16_t, char16_t> radicals = RadicalIdeographs(font);
    QString mended = text;
    for (QChar &c : mended)
        if (const auto ideograph = radicals.constFind(c.unicode()); ideograph != radicals.cend())
            c = QChar(*ideograph);
    return mended;
}

void MendPdfTextLayer(QByteArray &pdf, const QFont &font, const QString &drawn)
{
    DrawnCharacters replacementFor(font, drawn);
    // "/ToUnicode N 0 R" names the map's object; the map itself follows
    // "N 0 obj" as a stream.
    qsizetype from = 0;
    while ((from = pdf.indexOf("/ToUnicode ", from)) >= 0) {
        from += 11;
        qsizetype digitsEnd = from;
        while (digitsEnd < pdf.size() && pdf[digitsEnd] >= '0' && pdf[digitsEnd] <= '9')
            ++digitsEnd;
        if (digitsEnd == from)
            continue;
        const QByteArray object = pdf.mid(from, digitsEnd - from) + " 0 obj";
        qsizetype at = pdf.indexOf(object);
        // The object's own header: at the start of the file or of a line.
        while (at > 0 && pdf[at - 1] != '\n' && pdf[at - 1] != '\r')
            at = pdf.indexOf(object, at + 1);
        if (at < 0)
            continue;
        const qsizetype dictEnd = pdf.indexOf("stream", at);
        if (dictEnd < 0 || pdf.mid(at, dictEnd - at).contains("/Filter"))
            continue;   // compressed: not ours to touch
        const qsizetype streamBegin = dictEnd + 6;
        const qsizetype streamEnd = pdf.indexOf("endstream", streamBegin);
        if (streamEnd < 0)
            continue;
        MendMap(pdf, streamBegin, streamEnd, replacementFor);
    }
}

} // namespace quiren
