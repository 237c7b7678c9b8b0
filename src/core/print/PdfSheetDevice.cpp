#include "core/print/PdfSheetDevice.h"

#include "core/print/PaintSheetDevice.h"
#include "core/print/TrueTypeFace.h"
#include "core/text/HexDigits.h"

#include <QDateTime>
#include <QRawFont>
#include <QtEndian>

#include <fontconfig/fontconfig.h>

#include <charconv>
#include <cmath>

namespace quiren {

namespace {

constexpr float TwipsPerPoint = 20.0f;
constexpr float TwipsPerInch = 1440.0f;

std::unique_ptr<TrueTypeFace> FindSheetFontFace()
{
    const QFont font = SheetFont();
    // The face Qt uses, to recognise its file among those of the family.
    const QByteArray head = QRawFont::fromFont(font).fontTable("head");
    if (head.isEmpty())
        return nullptr;
    FcPattern *pattern = FcPatternCreate();
    const QByteArray family = font.family().toUtf8();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.constData()));
    FcObjectSet *objects = FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr);
    FcFontSet *fonts = FcFontList(nullptr, pattern, objects);
    std::unique_ptr<TrueTypeFace> found;
    for (int i = 0; fonts && i < fonts->nfont && !found; ++i) {
        FcChar8 *file = nullptr;
        int index = 0;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch
            || (FcPatternGetInteger(fonts->fonts[i], FC_INDEX, 0, &index) == FcResultMatch && index != 0))
            continue;
        std::unique_ptr<TrueTypeFace> face =
            TrueTypeFace::Open(QString::fromUtf8(reinterpret_cast<const char *>(file)));
        if (face && face->table("head") == QByteArrayView(head))
            found = std::move(face);
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
}

// A length for the PDF: at most three decimals, no exponent, no trailing
// zeros; 0 for what is no finite number of a page's size.
void AppendNumber(QByteArray &out, double value)
{
    if (!std::isfinite(value)) {
        out.append('0');
        return;
    }
    char text[32];
    const double rounded = std::round(value * 1000.0) / 1000.0;
    const auto [end, error] = std::to_chars(text, text + sizeof text, rounded == 0.0 ? 0.0 : rounded,
                                            std::chars_format::fixed, 3);
    char *last = end;
    if (error != std::errc()) {
        out.append('0');
        return;
    }
    while (last[-1] == '0')
        --last;
    if (last[-1] == '.')
        --last;
    out.append(text, last - text);
}

QByteArray Number(double value)
{
    QByteArray out;
    AppendNumber(out, value);
    return out;
}

// A stream, compressed.
QByteArray StreamObject(const QByteArray &data, const QByteArray &entries = {})
{
    // qCompress puts the length before zlib's own stream; the PDF's
    // FlateDecode wants that stream alone.
    const QByteArray packed = qCompress(data).sliced(4);
    return "<< /Length " + QByteArray::number(packed.size()) + " /Filter /FlateDecode" + entries
           + " >>\nstream\n" + packed + "\nendstream";
}

// A text string of the document's information: UTF-16 with its byte order mark.
QByteArray TextString(const QString &text)
{
    QByteArray out = "<FEFF";
    for (const QChar c : text)
        AppendHexDigits(out, c.unicode(), 4);
    return out + ">";
}

} // namespace

const TrueTypeFace *SheetFontFace()
{
    static const std::unique_ptr<TrueTypeFace> face = FindSheetFontFace();
    return face.get();
}

PdfSheetDevice::PdfSheetDevice(const TrueTypeFace &face, const QPageLayout &layout, const QString &title)
    : MeasuredSheetDevice(SheetFont())
    , m_face(face)
    , m_layout(layout)
    , m_title(title)
{
}

float PdfSheetDevice::printableWidth() const
{
    return static_cast<float>(m_layout.paintRect(QPageLayout::Point).width() * TwipsPerPoint);
}

float PdfSheetDevice::printableHeight() const
{
    return static_cast<float>(m_layout.paintRect(QPageLayout::Point).height() * TwipsPerPoint);
}

void PdfSheetDevice::beginPage()
{
    if (!m_pages.isEmpty())
        return;
    newPage();
}

void PdfSheetDevice::newPage()
{
    // Twips from the top-left corner of the printable area, y downward. The
    // corner is on a whole pixel of the sheet's resolution, as Qt's PDF
    // writer puts it.
    const QRectF page = m_layout.fullRect(QPageLayout::Point);
    const QMarginsF margins = m_layout.margins(QPageLayout::Point);
    const auto onPixel = [](qreal points) {
        return std::round(points * SheetPdfResolution / 72.0) * 72.0 / SheetPdfResolution;
    };
    QByteArray content = "0.05 0 0 -0.05 ";
    AppendNumber(content, onPixel(margins.left()));
    content += ' ';
    AppendNumber(content, page.height() - onPixel(margins.top()));
    // Lines snapped to whole pixels where they are drawn (stroke
    // adjustment), as Qt's PDFs ask for, so that a viewer draws a line of one
    // width equally thick wherever it falls.
    content += " cm\n/GSa gs 2 J 0 j 2 M\n";
    m_pages.append(content);
    m_pageLineWidth = -1.0f;
}

void PdfSheetDevice::drawText(float x, float y, const QString &text)
{
    if (m_pages.isEmpty() || text.isEmpty())
        return;
    QByteArray codes;
    codes.reserve(4 * text.size() + 2);
    codes += '<';
    for (const QChar c : text) {
        auto code = m_codes.constFind(c.unicode());
        if (code == m_codes.cend()) {
            if (c.isSurrogate() || !TakesItsOwnWidth(c.unicode()) || m_face.glyphFor(c.unicode()) == 0
                || m_characters.size() >= 0xFFFE) {
                m_cannotWrite = true;
                return;
            }
            m_characters.append(c.unicode());
            code = m_codes.insert(c.unicode(), quint16(m_characters.size()));
        }
        AppendHexDigits(codes, *code, 4);
    }
    codes += "> Tj";
    QByteArray &content = m_pages.last();
    content += "BT /F1 ";
    AppendNumber(content, measure().lineHeight());
    content += " Tf 1 0 0 -1 ";
    AppendNumber(content, x);
    content += ' ';
    AppendNumber(content, measure().baseline(y));
    content += " Tm ";
    content += codes;
    content += " ET\n";
}

void PdfSheetDevice::drawLine(float x1, float y1, float x2, float y2)
{
    if (m_pages.isEmpty())
        return;
    QByteArray &content = m_pages.last();
    if (m_lineWidth != m_pageLineWidth) {
        AppendNumber(content, m_lineWidth);
        content += " w\n";
        m_pageLineWidth = m_lineWidth;
    }
    // Each line stroked on its own: a viewer snaps a single line to its
    // pixels (stroke adjustment), not one of many in a path.
    AppendNumber(content, x1);
    content += ' ';
    AppendNumber(content, y1);
    content += " m ";
    AppendNumber(content, x2);
    content += ' ';
    AppendNumber(content, y2);
    content += " l S\n";
}

void PdfSheetDevice::setLineWidth(int pixels)
{
    m_lineWidth = static_cast<float>(pixels) * TwipsPerInch / static_cast<float>(SheetPdfResolution);
}

bool PdfSheetDevice::appendFontObjects(int first, QList<QByteArray> &objects) const
{
    // The glyphs: the empty one, then each character's in the order drawn.
    QList<quint16> glyphs{0};
    QList<quint16> glyphOfCode{0};
    QHash<quint16, quint16> placed{{0, 0}};
    for (const char16_t c : m_characters) {
        const quint16 glyph = m_face.glyphFor(c);
        auto at = placed.constFind(glyph);
        if (at == placed.cend()) {
            at = placed.insert(glyph, quint16(glyphs.size()));
            glyphs.append(glyph);
        }
        glyphOfCode.append(*at);
    }
    const QByteArray font = SubsetTrueTypeFace(m_face, glyphs);
    if (font.isEmpty())
        return false;

    const int cidFont = first + 1, descriptor = first + 2, file = first + 3, toUnicode = first + 4,
              cidToGid = first + 5;
    const auto ref = [](int object) { return QByteArray::number(object) + " 0 R"; };
    const double scale = 1000.0 / m_face.unitsPerEm();
    const QByteArrayView head = m_face.table("head"), hhea = m_face.table("hhea");
    const auto s16 = [](QByteArrayView bytes, int at) { return qFromBigEndian<qint16>(bytes.data() + at); };

    // A name for this subset of the face, as PDF readers expect of one: six
    // capitals, the same for the same glyphs.
    QByteArray tag;
    size_t hash = qHashRange(glyphs.cbegin(), glyphs.cend());
    for (int i = 0; i < 6; ++i, hash /= 26)
        tag += char('A' + hash % 26);
    const QByteArray postScript = m_face.postScriptName();
    const QByteArray name = "/" + tag + "+" + (postScript.isEmpty() ? QByteArray("SheetFont") : postScript);

    objects.append("<< /Type /Font /Subtype /Type0 /BaseFont " + name + " /Encoding /Identity-H /DescendantFonts ["
                   + ref(cidFont) + "] /ToUnicode " + ref(toUnicode) + " >>");
    QByteArray widths = "[1 [";
    for (const char16_t c : m_characters) {
        AppendNumber(widths, m_face.advance(m_face.glyphFor(c)) * scale);
        widths += ' ';
    }
    widths += "]]";
    objects.append("<< /Type /Font /Subtype /CIDFontType2 /BaseFont " + name
                   + " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /FontDescriptor "
                   + ref(descriptor) + " /DW 1000 /W " + widths + " /CIDToGIDMap " + ref(cidToGid) + " >>");
    objects.append("<< /Type /FontDescriptor /FontName " + name + " /Flags 4 /FontBBox [" + Number(s16(head, 36) * scale)
                   + ' ' + Number(s16(head, 38) * scale) + ' ' + Number(s16(head, 40) * scale) + ' '
                   + Number(s16(head, 42) * scale) + "] /ItalicAngle 0 /Ascent " + Number(s16(hhea, 4) * scale)
                   + " /Descent " + Number(s16(hhea, 6) * scale) + " /CapHeight " + Number(s16(hhea, 4) * scale)
                   + " /StemV 80 /FontFile2 " + ref(file) + " >>");
    objects.append(StreamObject(font, " /Length1 " + QByteArray::number(font.size())));

    QByteArray map = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                     "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                     "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                     "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    for (qsizetype from = 0; from < m_characters.size(); from += 100) {
        const qsizetype count = std::min<qsizetype>(100, m_characters.size() - from);
        map += QByteArray::number(count) + " beginbfchar\n";
        for (qsizetype i = from; i < from + count; ++i) {
            map += '<';
            AppendHexDigits(map, quint16(i + 1), 4);
            map += "> <";
            AppendHexDigits(map, m_characters[i], 4);
            map += ">\n";
        }
        map += "endbfchar\n";
    }
    map += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    objects.append(StreamObject(map));

    QByteArray glyphMap(2 * glyphOfCode.size(), '\0');
    for (qsizetype code = 0; code < glyphOfCode.size(); ++code)
        qToBigEndian<quint16>(glyphOfCode[code], glyphMap.data() + 2 * code);
    objects.append(StreamObject(glyphMap));
    return true;
}

std::optional<QByteArray> PdfSheetDevice::finish()
{
    if (m_cannotWrite)
        return std::nullopt;
    if (m_pages.isEmpty())
        newPage();

    // Objects: 1 the catalogue, 2 the page tree, 3 the information, then
    // each page and its content, then the font.
    QList<QByteArray> objects(3);
    const int pageCount = int(m_pages.size());
    const int fontFirst = 4 + 2 * pageCount;
    QByteArray kids;
    const QRectF page = m_layout.fullRect(QPageLayout::Point);
    const QByteArray mediaBox = "[0 0 " + Number(page.width()) + ' ' + Number(page.height()) + ']';
    for (int i = 0; i < pageCount; ++i) {
        const int pageObject = 4 + 2 * i;
        kids += QByteArray::number(pageObject) + " 0 R ";
        objects.append("<< /Type /Page /Parent 2 0 R /MediaBox " + mediaBox
                       + " /Resources << /ExtGState << /GSa << /SA true >> >> /Font << /F1 "
                       + QByteArray::number(fontFirst) + " 0 R >> >> /Contents " + QByteArray::number(pageObject + 1)
                       + " 0 R >>");
        objects.append(StreamObject(m_pages[i]));
    }
    if (!appendFontObjects(fontFirst, objects))
        return std::nullopt;
    objects[0] = "<< /Type /Catalog /Pages 2 0 R >>";
    objects[1] = "<< /Type /Pages /Kids [" + kids.trimmed() + "] /Count " + QByteArray::number(pageCount) + " >>";
    objects[2] = "<< /Title " + TextString(m_title) + " /Creator (Quiren) /Producer (Quiren) /CreationDate (D:"
                 + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + "Z) >>";

    QByteArray pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype table = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R /Info 3 0 R >>\nstartxref\n"
           + QByteArray::number(table) + "\n%%EOF\n";
    return pdf;
}

} // namespace quiren
