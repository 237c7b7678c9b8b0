#pragma once

#include "core/io/SafeWrite.h"
#include "core/print/SheetDrawing.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The JW-CAD coordinate file: the calculation sheet written as one drawing
// command per line, so that JW-CAD can place the sheet in a drawing.
namespace quiren {

inline constexpr char JwFileName[] = "Qrn_JW.txt";

// The text of a coordinate in a JW-CAD file: the single-precision value with
// at most seven significant digits, no trailing zeros (1830.4, -2000).
QString JwNumber(float value);

// The bytes of a text in the Windows Japanese code page (CP932), in which
// the JW-CAD file is written. A character the code page cannot hold becomes
// "?", as Windows itself writes it; a control character becomes a blank.
QByteArray JwBytes(const QString &text);

// The sheet as JW-CAD command lines, appended to `lines`: the grid scaled by
// 1.76, y upward (negative down the page), the pages one below the other,
// texts as wide as JW-CAD's characters of their text type. `measure` is the
// device the printed sheet is measured on.
class JwOutput : public SheetOutput {
public:
    static constexpr float Scale = 1.76f;

    JwOutput(const SheetDevice &measure, QStringList &lines) : m_measure(measure), m_lines(lines) {}

    float scale() const override { return Scale; }
    void beginPage() override {}
    void newPage() override;
    void setFont(int points, int textType) override;
    void setPen(int pen) override;
    void setLineType() override;
    void text(float x, float y, const QString &text) override;
    void line(float x1, float y1, float x2, float y2) override;
    void chainStart(float x1, float y1, float x2, float y2) override;
    void chainTo(float fromX, float fromY, float x, float y) override;
    void endChain() override;
    float textWidth(const QString &text, int textType) const override;
    float textTop(float rowTop, float rowHeight, int textType) const override;
    bool canShrinkText() const override { return false; }

private:
    QString point(float x, float y) const;

    const SheetDevice &m_measure;
    QStringList &m_lines;
    float m_pageTop = 0.0f;   // where the current page starts
};

// The file's path in a JW folder (which should end in "/"; a separator is
// put in when it does not).
QString JwFilePath(const QString &jwFolder);

// The command lines of a sheet, in drawing order. `measure` is the device the
// printed sheet would be measured on.
QStringList JwSheetLines(const CalcSheet &sheet, const SheetSettings &settings,
                         SheetDevice &measure);

// The file's bytes: CP932, every line ended by CR LF.
QByteArray JwFileBytes(const QStringList &lines);

// Writes the sheet's file to `path`, through a temporary file that replaces
// an earlier file only when the new one is complete. On failure the result
// carries the system's reason.
WriteResult WriteJwFile(const QString &path, const CalcSheet &sheet,
                        const SheetSettings &settings, SheetDevice &measure);

} // namespace quiren
