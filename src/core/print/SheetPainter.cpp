#include "core/print/SheetPainter.h"

#include "core/text/Cp932.h"
#include "core/text/NumberText.h"


namespace quiren {

namespace {

// JW-CAD character size and spacing by text type.
float JwCharSize(int textType)
{
    return textType == 2 ? 250.0f : 300.0f;
}

float JwSpacing(int textType)
{
    static constexpr std::array<float, 4> spacing{0.0f, 0.0f, 20.0f, 50.0f};
    return textType >= 0 && textType < 4 ? spacing[static_cast<size_t>(textType)] : 0.0f;
}

const QString FullWidthA = QStringLiteral("あ");

} // namespace

QString JwNumber(float value)
{
    // -0 would print as "-0".
    return SingleText(value + 0.0f);
}

QByteArray JwBytes(const QString &raw)
{
    // A control character in a text (a tab or an escape sequence in a title
    // edited by hand) would break the line or end up in JW-CAD's drawing: it
    // becomes a blank, one byte as before.
    QString text = raw;
    for (QChar &c : text) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))
            c = QLatin1Char(' ');
    }
    // Most lines are coordinates and numbers: no converter needed for them.
    if (Cp932CanHold(text))
        return ToCp932(text);
    QByteArray bytes;

    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QStringEncoder one = Cp932Encoder();
        const QByteArray piece = one.encode(QStringView(text).mid(i, length));
        bytes += one.hasError() ? QByteArray("?") : piece;
        i += length;
    }
    return bytes;
}

SheetPainter::SheetPainter(SheetDevice &device)
    : m_device(device)
{
}

SheetPainter::SheetPainter(SheetDevice &device, QStringList &jwLines)
    : m_device(device), m_jwLines(&jwLines)
{
}

void SheetPainter::AddLine(const QString &line)
{
    m_jwLines->append(line);
}

void SheetPainter::AddPoint(float x, float y)
{
    AddLine(QLatin1Char(' ') + JwNumber(x) + QLatin1Char(' ') + JwNumber(-(y + m_pageTop)));
}

void SheetPainter::ComputeLayout()
{
    const float k = FileMode() ? FileScale : 1.0f;
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
    if (!FileMode())
        m_device.beginPage();
}

void SheetPainter::NewPage()
{
    if (!FileMode()) {
        m_device.newPage();
        return;
    }
    // One page height and a margin of a tenth of it between the pages.
    m_pageTop += 1.1f * m_device.printableHeight() * m_k;
}

void SheetPainter::DrawLine(float x1, float y1, float x2, float y2)
{
    if (FileMode()) {
        AddLine(QLatin1Char(' ') + JwNumber(x1) + QLatin1Char(' ') + JwNumber(-(y1 + m_pageTop))
                + QLatin1Char(' ') + JwNumber(x2) + QLatin1Char(' ') + JwNumber(-(y2 + m_pageTop)));
    } else {
        m_device.drawLine(x1, y1, x2, y2);
    }
    m_lastX = x2;
    m_lastY = y2;
}

void SheetPainter::PutText(float x, float y, const QString &text)
{
    if (text.isEmpty())
        return;
    if (FileMode()) {
        AddLine(QStringLiteral("ch ") + JwNumber(x) + QLatin1Char(' ') + JwNumber(-(y + m_pageTop))
                + QStringLiteral(" 1 0 \"") + text);
        return;
    }
    m_device.drawText(x, y, text);
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

    // Smaller first: the whole text stays readable. The file's text size
    // follows its text type, so there only cutting helps.
    if (!FileMode()) {
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
    if (!FileMode())
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
    if (FileMode()) {
        AddLine(QStringLiteral("cn") + QString::number(textType));
        return;
    }
    m_device.setFontSize(size);
}

void SheetPainter::SetPen(int n)
{
    if (FileMode()) {
        AddLine(QStringLiteral("lc") + QString::number(n));
        return;
    }
    if (n >= 1 && n <= 4)
        m_device.setLineWidth(m_penWidth[static_cast<size_t>(n - 1)]);
}

void SheetPainter::DrawGridLine(int c1, int r1, int c2, int r2, int chainStart)
{
    const float x1 = ColX(c1);
    const float y1 = RowY(r1);
    if (c2 == 0 && r2 == 0) {
        // Continue from where the previous line ended.
        if (FileMode())
            AddPoint(x1, y1);
        else
            m_device.drawLine(m_lastX, m_lastY, x1, y1);
        m_lastX = x1;
        m_lastY = y1;
        return;
    }
    const float x2 = ColX(c2);
    const float y2 = RowY(r2);
    if (FileMode()) {
        if (chainStart == 1) {
            AddPoint(x1, y1);
            AddPoint(x2, y2);
        } else {
            AddLine(QLatin1Char(' ') + JwNumber(x1) + QLatin1Char(' ') + JwNumber(-(y1 + m_pageTop))
                    + QLatin1Char(' ') + JwNumber(x2) + QLatin1Char(' ') + JwNumber(-(y2 + m_pageTop)));
        }
    } else {
        m_device.drawLine(x1, y1, x2, y2);
    }
    m_lastX = x2;
    m_lastY = y2;
}

void SheetPainter::EndChain()
{
    if (FileMode())
        AddLine(QString());
}

void SheetPainter::PutLineType()
{
    if (FileMode())
        AddLine(QStringLiteral("lt1"));
}

float SheetPainter::RowTextTop(int row, int textType) const
{
    if (FileMode()) {
        const float c = JwCharSize(textType);
        return RowY(row) + c + (CharHeight(11) - c) / 2.0f;
    }
    return RowY(row) + (CharHeight(11) - m_device.textHeight(FullWidthA)) / 2.0f;
}

float SheetPainter::TextWidthOf(const QString &text, int textType) const
{
    if (text.isEmpty() || text == QLatin1String(" "))
        return 0.0f;
    if (!FileMode())
        return m_device.textWidth(text);

    const float c = JwCharSize(textType);
    const float g = JwSpacing(textType);
    const float n = static_cast<float>(JwBytes(text).size()) / 2.0f;
    float width = c * n;
    if (n >= 1.0f)
        width += g * (n - 1.0f);
    const qsizetype last = text.at(text.size() - 1).isLowSurrogate() && text.size() > 1 ? 2 : 1;
    if (JwBytes(text.right(last)).size() == 1)
        width += g / 2.0f;
    return width;
}

} // namespace quiren
