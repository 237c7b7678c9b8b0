#include "core/print/PaintSheetDevice.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QPen>

#include <cstdio>

namespace quiren {

namespace {

constexpr float TwipsPerInch = 1440.0f;
constexpr float TwipsPerPoint = 20.0f;
// Japanese fonts set their ideographs in an em box that reaches 0.88 em above
// the base line and 0.12 em below it; the top of that box is the top of a text.
constexpr qreal EmAscent = 0.88;
const QString PreferredFamily = QStringLiteral("IPAexMincho");

// The names a family may go by: fontconfig gives a font's names in the
// language of the locale first, so under ja_JP IPAex Mincho is listed as
// "IPAex明朝" and a look-up of "IPAexMincho" alone fails.
bool isPreferred(const QString &family)
{
    return family == PreferredFamily || family == QStringLiteral("IPAex明朝");
}

QString ChooseFamily()
{
    if (QFontDatabase::hasFamily(PreferredFamily))
        return PreferredFamily;
    const QStringList all = QFontDatabase::families();
    for (const QString &family : all) {
        if (isPreferred(family))
            return family;
    }
    // Another Japanese face, a Mincho or serif one first, and of those one
    // drawn with Japanese glyph forms (Noto Serif CJK comes in HK, SC, TC,
    // KR and JP forms of the same characters).
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    auto first = [&japanese](auto wanted) {
        for (const QString &family : japanese) {
            if (wanted(family))
                return family;
        }
        return QString();
    };
    auto serif = [](const QString &family) {
        return family.contains(QLatin1String("Mincho"), Qt::CaseInsensitive)
               || family.contains(QLatin1String("Serif"), Qt::CaseInsensitive);
    };
    QString chosen = first([&](const QString &f) { return serif(f) && f.contains(QLatin1String("JP")); });
    if (chosen.isEmpty())
        chosen = first(serif);
    if (chosen.isEmpty() && !japanese.isEmpty())
        chosen = japanese.first();
    if (chosen.isEmpty())
        chosen = QFont().defaultFamily();
    std::fprintf(stderr, "quiren: 警告: フォント %s がありません (パッケージ fonts-ipaexfont)。計算表は %s で作ります。"
                         " / warning: font %s is not installed (package fonts-ipaexfont); the sheet is set in %s\n",
                 qPrintable(PreferredFamily), qPrintable(chosen), qPrintable(PreferredFamily), qPrintable(chosen));
    return chosen;
}

} // namespace

QString SheetFontFamily()
{
    static const QString family = ChooseFamily();
    return family;
}

QPageLayout SheetPageLayout()
{
    const QPageSize a4(QPageSize::A4);
    const QSizeF page = a4.size(QPageSize::Point);
    const qreal printableWidth = 11340.0 / TwipsPerPoint;  // 567 pt
    const qreal side = (page.width() - printableWidth) / 2.0;
    return QPageLayout(a4, QPageLayout::Portrait, QMarginsF(side, side, side, side),
                       QPageLayout::Point);
}

void SetUpSheetPdf(QPdfWriter &writer, const QString &title)
{
    writer.setPageLayout(SheetPageLayout());
    writer.setResolution(SheetPdfResolution);
    writer.setCreator(QStringLiteral("Quiren"));
    writer.setTitle(title);
}

PaintSheetDevice::PaintSheetDevice(QPagedPaintDevice *device)
    : m_device(device)
{
    m_font.setFamily(SheetFontFamily());
    m_font.setHintingPreference(QFont::PreferNoHinting);
    m_font.setKerning(false);
    setFontSize(m_points);
}

PaintSheetDevice::~PaintSheetDevice()
{
    if (m_painter.isActive())
        m_painter.end();
}

float PaintSheetDevice::printableWidth() const
{
    return static_cast<float>(m_device->pageLayout().paintRect(QPageLayout::Point).width()
                              * TwipsPerPoint);
}

float PaintSheetDevice::printableHeight() const
{
    return static_cast<float>(m_device->pageLayout().paintRect(QPageLayout::Point).height()
                              * TwipsPerPoint);
}

void PaintSheetDevice::setFontSize(int points)
{
    m_points = points;
    m_font.setPixelSize(qMax(1, points * static_cast<int>(TwipsPerPoint)));
    if (m_painter.isActive())
        m_painter.setFont(m_font);
}

namespace {

// Characters that take their own width in any text: the sheet's font joins,
// reorders or spaces none of them with their neighbours (kerning is off).
// Controls, combining and invisible marks, bidirectional text and
// surrogates are not among them; a text holding one is measured whole.
bool TakesItsOwnWidth(char16_t c)
{
    const auto within = [c](char16_t first, char16_t last) { return c >= first && c <= last; };
    return within(0x20, 0x7E) || (within(0xA0, 0xFF) && c != 0xAD)   // Latin, × ÷ ° ±
        || within(0x2010, 0x2027) || within(0x2030, 0x205E)           // dashes, ※ …
        || within(0x2100, 0x22FF) || within(0x2460, 0x25FF)           // ≦ → ① ─ ■
        || (within(0x3000, 0x30FF) && !within(0x3099, 0x309A))        // kana, 、。「」
        || within(0x3200, 0x33FF) || within(0x4E00, 0x9FFF)           // ㎡ ㎜, kanji
        || within(0xFF01, 0xFF9F);                                    // full and half width
}

} // namespace

float PaintSheetDevice::textWidth(const QString &text) const
{
    auto at = m_measures.find(m_points);
    if (at == m_measures.end())
        at = m_measures.emplace(m_points, Measures{QFontMetricsF(m_font), {}, {}}).first;
    Measures &measures = at->second;
    if (const auto known = measures.texts.constFind(text); known != measures.texts.cend())
        return *known;
    // The sum of the characters' widths, as laying the text out sums them
    // (each a multiple of 1/64 pixel, so the sum is exact): far cheaper than
    // shaping every new text. A character the font lacks is drawn from
    // another font, and its text is measured whole.
    qreal width = 0;
    for (const QChar c : text) {
        auto known = measures.characters.constFind(c.unicode());
        if (known == measures.characters.cend()) {
            const bool own = TakesItsOwnWidth(c.unicode()) && measures.metrics.inFont(c);
            known = measures.characters.insert(c.unicode(), own ? measures.metrics.horizontalAdvance(c) : -1.0);
        }
        if (*known < 0) {
            width = measures.metrics.horizontalAdvance(text);
            break;
        }
        width += *known;
    }
    measures.texts.insert(text, static_cast<float>(width));
    return static_cast<float>(width);
}

float PaintSheetDevice::textHeight(const QString &) const
{
    return static_cast<float>(m_points) * TwipsPerPoint;
}

void PaintSheetDevice::beginPage()
{
    if (m_painter.isActive() || m_failed)
        return;
    if (!m_painter.begin(m_device)) {
        m_failed = true;
        return;
    }
    m_painter.scale(m_device->logicalDpiX() / qreal(TwipsPerInch),
                    m_device->logicalDpiY() / qreal(TwipsPerInch));
    m_painter.setFont(m_font);
    QPen pen(Qt::black, m_lineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
}

void PaintSheetDevice::newPage()
{
    if (!m_painter.isActive())
        return;
    if (!m_device->newPage())
        m_failed = true;
}

void PaintSheetDevice::drawText(float x, float y, const QString &text)
{
    if (!m_painter.isActive())
        return;
    const qreal baseline = y + EmAscent * m_points * TwipsPerPoint;
    m_painter.drawText(QPointF(x, baseline), text);
    // Halves of surrogate pairs are left out: alone they are no characters,
    // and the font would be asked for glyphs of pairs they do not form.
    for (const QChar c : text) {
        if (!c.isSurrogate())
            m_drawn.set(c.unicode());
    }
}

QString PaintSheetDevice::drawnCharacters() const
{
    QString drawn;
    for (std::size_t c = 0; c < m_drawn.size(); ++c) {
        if (m_drawn.test(c))
            drawn += QChar(static_cast<char16_t>(c));
    }
    return drawn;
}

void PaintSheetDevice::drawLine(float x1, float y1, float x2, float y2)
{
    if (!m_painter.isActive())
        return;
    m_painter.drawLine(QLineF(x1, y1, x2, y2));
}

void PaintSheetDevice::setLineWidth(int pixels)
{
    const int dpi = qMax(1, m_device->logicalDpiX());
    m_lineWidth = static_cast<float>(pixels) * TwipsPerInch / static_cast<float>(dpi);
    if (m_painter.isActive()) {
        QPen pen = m_painter.pen();
        pen.setWidthF(m_lineWidth);
        m_painter.setPen(pen);
    }
}

bool PaintSheetDevice::endPage()
{
    if (m_failed)
        return false;
    if (!m_painter.isActive())
        return true;
    return m_painter.end();
}

} // namespace quiren
