#include "core/print/SheetPainter.h"

#include "core/print/SheetTexts.h"

#include <QRegularExpression>


namespace quiren {

namespace {

const QString FullWidthA = QStringLiteral("あ");

} // namespace

void DeviceOutput::setPen(int pen)
{
    if (pen >= 1 && pen <= 4)
        m_device.setLineWidth(m_penWidth[static_cast<size_t>(pen - 1)]);
}

float DeviceOutput::textTop(float rowTop, float rowHeight, int) const
{
    return rowTop + (rowHeight - m_device.textHeight(FullWidthA)) / 2.0f;
}

SheetPainter::SheetPainter(SheetDevice &device)
    : m_device(device), m_deviceOutput(std::make_unique<DeviceOutput>(device)), m_out(m_deviceOutput.get())
{
}

SheetPainter::SheetPainter(SheetDevice &device, SheetOutput &output)
    : m_device(device), m_out(&output)
{
}

void SheetPainter::SetPenWidths(const std::array<int, 4> &pixels)
{
    if (m_deviceOutput)
        m_deviceOutput->setPenWidths(pixels);
}

void SheetPainter::ComputeLayout()
{
    const float k = m_out->scale();
    m_k = k;

    for (int size = 8; size <= 12; ++size) {
        m_device.setFontSize(size);
        m_charSize[static_cast<size_t>(size)][0] = k * m_device.textHeight(FullWidthA);
        m_charSize[static_cast<size_t>(size)][1] = k * m_device.textWidth(FullWidthA);
    }
    const float w8 = CharWidth(8);
    const float w12 = CharWidth(12);

    auto &x = m_colX;
    x[0] = (m_device.printableWidth() - 10300.0f) * k;
    x[26] = x[0] + 10206.0f * k;

    m_rowY[0] = 3.0f * CharHeight(12);
    for (int j = 1; j < RowCount; ++j)
        m_rowY[static_cast<size_t>(j)] = m_rowY[static_cast<size_t>(j - 1)] + CharHeight(11);

    x[1] = x[0] + w12;
    x[2] = x[1] + w12;
    x[3] = x[2] + w8;
    x[8] = x[0] + 3646.0f * k;
    x[17] = x[8] + 3280.0f * k;
    x[4] = x[8] - 12.5f * w8;
    x[5] = x[8] - 8.5f * w8;
    x[6] = x[5] + w8;
    x[7] = x[8] - w8;
    x[9] = x[8] + w8;
    x[10] = x[17] - 14.0f * w8;
    x[11] = x[10] + w8;
    x[12] = x[11] + 3.5f * w8;
    x[13] = x[12] + w8;
    x[14] = x[12] + 3.5f * w8;
    x[15] = x[14] + w8;
    x[16] = x[17] - w8;
    for (size_t c = 18; c <= 25; ++c)
        x[c] = x[c - 9] - x[8] + x[17];
}

void SheetPainter::BeginPage()
{
    m_out->beginPage();
}

void SheetPainter::NewPage()
{
    m_out->newPage();
}

void SheetPainter::DrawLine(float x1, float y1, float x2, float y2)
{
    m_out->line(x1, y1, x2, y2);
    m_lastX = x2;
    m_lastY = y2;
}

void SheetPainter::PutText(float x, float y, const QString &text)
{
    if (text.isEmpty())
        return;
    m_out->text(x, y, text);
}

void SheetPainter::PutProjectLine(const QString &name)
{
    const QString project = ProjectLineText(name);
    PutFitted(ColX(26) - TextWidthOf(project, 3), 2.0f * CharHeight(11), project, ColX(26) - ColX(0), 3,
              Anchor::End);
}

QStringList SheetPainter::WrapText(const QString &text, float room, int textType) const
{
    QStringList lines;
    QString rest = text.trimmed();
    while (TextWidthOf(rest, textType) > room) {
        // The longest beginning that fits, one character at least.
        qsizetype n = 0;
        while (n < rest.size()) {
            const qsizetype step = rest.at(n).isHighSurrogate() && n + 1 < rest.size() ? 2 : 1;
            if (n > 0 && TextWidthOf(rest.left(n + step), textType) > room)
                break;
            n += step;
        }
        // A blank in the last third of the line is a better place to break.
        static const QRegularExpression blank(QStringLiteral("\\s"));
        const qsizetype at = rest.left(n + 1).lastIndexOf(blank);
        if (at > n * 2 / 3)
            n = at;
        lines << rest.left(n).trimmed();
        rest = rest.mid(n).trimmed();
    }
    if (!rest.isEmpty() || lines.isEmpty())
        lines << rest;
    return lines;
}

void SheetPainter::PutFitted(float x, float y, const QString &text, float room, int textType,
                             Anchor anchor, int row)
{
    const float width = TextWidthOf(text, textType);
    if (width <= room) {
        PutText(x, y, text);
        return;
    }
    const float end = x + width;
    const int size = m_device.fontSize();
    auto place = [&](const QString &fitted) {
        const float fittedX = anchor == Anchor::End ? end - TextWidthOf(fitted, textType) : x;
        PutText(fittedX, row >= 0 ? RowTextTop(row, textType) : y, fitted);
    };

    // Smaller first: the whole text stays readable. Where the text size
    // follows its text type, only cutting helps.
    const bool shrinks = m_out->canShrinkText();
    if (shrinks) {
        for (int smaller = size - 1; smaller >= MinFittedFontSize; --smaller) {
            m_device.setFontSize(smaller);
            if (TextWidthOf(text, textType) <= room) {
                place(text);
                m_device.setFontSize(size);
                return;
            }
        }
    }

    // Then cut: the longest beginning that fits with its ellipsis (found by
    // halving, as a title may be very long), never half a surrogate pair.
    const QString ellipsis = QStringLiteral("…");
    auto head = [&](qsizetype n) {
        if (n > 0 && n < text.size() && text.at(n - 1).isHighSurrogate())
            --n;
        return text.left(n);
    };
    qsizetype fits = 0, tooLong = text.size();
    while (tooLong - fits > 1) {
        const qsizetype middle = fits + (tooLong - fits) / 2;
        if (TextWidthOf(head(middle) + ellipsis, textType) <= room)
            fits = middle;
        else
            tooLong = middle;
    }
    place(head(fits) + ellipsis);
    if (shrinks)
        m_device.setFontSize(size);
}

void SheetPainter::PutCentred(int colFrom, int colTo, int row, const QString &text, int textType)
{
    const float span = ColX(colTo) - ColX(colFrom);
    const float w = textType == 0 ? m_device.textWidth(text) : TextWidthOf(text, textType);
    const float d = span - w;
    const float x = ColX(colFrom) + d - d / 2.0f;
    PutText(x, RowTextTop(row, textType), text);
}

void SheetPainter::SetSheetFont(int size, int textType)
{
    m_out->setFont(size, textType);
}

void SheetPainter::SetPen(int n)
{
    m_out->setPen(n);
}

void SheetPainter::DrawGridLine(int c1, int r1, int c2, int r2, int chainStart)
{
    const float x1 = ColX(c1);
    const float y1 = RowY(r1);
    if (c2 == 0 && r2 == 0) {
        // Continue from where the previous line ended.
        m_out->chainTo(m_lastX, m_lastY, x1, y1);
        m_lastX = x1;
        m_lastY = y1;
        return;
    }
    const float x2 = ColX(c2);
    const float y2 = RowY(r2);
    if (chainStart == 1)
        m_out->chainStart(x1, y1, x2, y2);
    else
        m_out->line(x1, y1, x2, y2);
    m_lastX = x2;
    m_lastY = y2;
}

void SheetPainter::EndChain()
{
    m_out->endChain();
}

void SheetPainter::PutLineType()
{
    m_out->setLineType();
}

float SheetPainter::RowTextTop(int row, int textType) const
{
    return m_out->textTop(RowY(row), CharHeight(11), textType);
}

float SheetPainter::TextWidthOf(const QString &text, int textType) const
{
    if (text.isEmpty() || text == QLatin1String(" "))
        return 0.0f;
    return m_out->textWidth(text, textType);
}

} // namespace quiren
