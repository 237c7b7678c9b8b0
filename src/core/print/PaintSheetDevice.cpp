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

QString ChooseFamily()
{
    if (QFontDatabase::hasFamily(PreferredFamily))
        return PreferredFamily;
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    QString chosen;
    for (const QString &family : japanese) {
        if (family.contains(QLatin1String("Mincho"), Qt::CaseInsensitive)
            || family.contains(QLatin1String("Serif"), Qt::CaseInsensitive)) {
            chosen = family;
            break;
        }
    }
    if (chosen.isEmpty() && !japanese.isEmpty())
        chosen = japanese.first();
    if (chosen.isEmpty())
        chosen = QFont().defaultFamily();
    std::fprintf(stderr, "quiren: warning: font %s is not installed (package fonts-ipaexfont); "
                         "the sheet is set in %s\n",
                 qPrintable(PreferredFamily), qPrintable(chosen));
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
    m_widths.clear();
    m_font.setPixelSize(qMax(1, points * static_cast<int>(TwipsPerPoint)));
    if (m_painter.isActive())
        m_painter.setFont(m_font);
}

float PaintSheetDevice::textWidth(const QString &text) const
{
    if (const auto known = m_widths.constFind(text); known != m_widths.cend())
        return *known;
    const float width = static_cast<float>(QFontMetricsF(m_font).horizontalAdvance(text));
    m_widths.insert(text, width);
    return width;
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
