#include "core/print/JwExport.h"

#include "core/io/SafeWrite.h"

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

QString JwOutput::point(float x, float y) const
{
    return QLatin1Char(' ') + JwNumber(x) + QLatin1Char(' ') + JwNumber(-(y + m_pageTop));
}

void JwOutput::newPage()
{
    // One page height and a margin of a tenth of it between the pages.
    m_pageTop += 1.1f * m_measure.printableHeight() * Scale;
}

void JwOutput::setFont(int, int textType)
{
    m_lines.append(QStringLiteral("cn") + QString::number(textType));
}

void JwOutput::setPen(int pen)
{
    m_lines.append(QStringLiteral("lc") + QString::number(pen));
}

void JwOutput::setLineType()
{
    m_lines.append(QStringLiteral("lt1"));
}

void JwOutput::text(float x, float y, const QString &text)
{
    m_lines.append(QStringLiteral("ch ") + JwNumber(x) + QLatin1Char(' ') + JwNumber(-(y + m_pageTop))
                   + QStringLiteral(" 1 0 \"") + text);
}

void JwOutput::line(float x1, float y1, float x2, float y2)
{
    m_lines.append(point(x1, y1) + point(x2, y2));
}

void JwOutput::chainStart(float x1, float y1, float x2, float y2)
{
    m_lines.append(point(x1, y1));
    m_lines.append(point(x2, y2));
}

void JwOutput::chainTo(float, float, float x, float y)
{
    m_lines.append(point(x, y));
}

void JwOutput::endChain()
{
    m_lines.append(QString());
}

float JwOutput::textWidth(const QString &text, int textType) const
{
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

float JwOutput::textTop(float rowTop, float rowHeight, int textType) const
{
    const float c = JwCharSize(textType);
    return rowTop + c + (rowHeight - c) / 2.0f;
}

QString JwFilePath(const QString &jwFolder)
{
    // "JW_Path" is meant to end in a separator, but one typed into the
    // settings file by hand may not: the file still goes into the folder.
    if (jwFolder.isEmpty() || jwFolder.endsWith(QLatin1Char('/')))
        return jwFolder + QLatin1String(JwFileName);
    return jwFolder + QLatin1Char('/') + QLatin1String(JwFileName);
}

QStringList JwSheetLines(const CalcSheet &sheet, const SheetSettings &settings,
                         SheetDevice &measure)
{
    QStringList lines;
    JwOutput output(measure, lines);
    SheetPainter painter(measure, output);
    DrawSheet(painter, sheet, settings);
    return lines;
}

QByteArray JwFileBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += JwBytes(line);
        bytes += "\r\n";
    }
    return bytes;
}

WriteResult WriteJwFile(const QString &path, const CalcSheet &sheet,
                        const SheetSettings &settings, SheetDevice &measure)
{
    const QByteArray bytes = JwFileBytes(JwSheetLines(sheet, settings, measure));
    return WriteFileSafely(path, bytes);
}

} // namespace quiren
