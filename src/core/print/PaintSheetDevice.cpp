#include "core/print/PaintSheetDevice.h"

#include <QFontDatabase>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QPen>

#include <cstdio>

namespace quiren {

namespace {

constexpr float TwipsPerInch = 1440.0f;
constexpr float TwipsPerPoint = 20.0f;
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

QFont SheetFont()
{
    QFont font(SheetFontFamily());
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

PaintSheetDevice::PaintSheetDevice(QPagedPaintDevice *device)
    : MeasuredSheetDevice(SheetFont())
    , m_device(device)
{
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
    MeasuredSheetDevice::setFontSize(points);
    if (m_painter.isActive())
        m_painter.setFont(measure().font());
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
    m_painter.setFont(measure().font());
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
    m_painter.drawText(QPointF(x, measure().baseline(y)), text);
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
