#pragma once

#include "core/print/SheetDevice.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>


namespace quiren {

// Characters that take their own width in any text: the sheet's font joins,
// reorders or spaces none of them with their neighbours (kerning is off).
// Controls, combining and invisible marks, bidirectional text and
// surrogates are not among them; a text holding one is measured whole.
bool TakesItsOwnWidth(char16_t c);

// The widths of texts in the sheet's font, in twips, at the sizes the sheet
// switches between. Every page surface measures through this one class, so a
// PDF written by the program and a page printed through Qt lay the sheet out
// alike. What is measured is kept for the whole run (on the main thread), so
// the next sheet of a batch, or the next preview, measures only what is new.
class SheetTextMeasure {
public:
    // `font` is the sheet's font; its size is set here.
    explicit SheetTextMeasure(const QFont &font);

    void setFontSize(int points);
    int fontSize() const { return m_points; }
    // The font at the current size, with its pixels as twips.
    const QFont &font() const { return m_font; }
    float textWidth(const QString &text) const;
    // The height of a line of text: the em of the current size, in twips.
    float lineHeight() const;
    // The base line of a text whose top is at `top`, in twips.
    qreal baseline(float top) const;

private:
    // What has been measured in one family at one size: the sheet measures
    // the same few texts (headings, "0.0000") again and again, and switches
    // between its sizes all the time.
    struct Measures {
        QFontMetricsF metrics;
        QHash<QString, float> texts;
        // Single characters, for the texts whose width is the sum of their
        // characters' (see textWidth()); -1 for a character that is not.
        QHash<char16_t, qreal> characters;
    };
    static Measures &measuresOf(const QFont &font, int points);

    QFont m_font;
    int m_points = 12;
    Measures *m_current = nullptr;
};

// A page surface whose texts are measured by SheetTextMeasure: the sizes and
// widths come from the one measure, whatever draws the texts.
class MeasuredSheetDevice : public SheetDevice {
public:
    void setFontSize(int points) override { m_measure.setFontSize(points); }
    int fontSize() const override { return m_measure.fontSize(); }
    float textWidth(const QString &text) const override { return m_measure.textWidth(text); }
    float textHeight(const QString &) const override { return m_measure.lineHeight(); }

protected:
    explicit MeasuredSheetDevice(const QFont &font) : m_measure(font) {}
    const SheetTextMeasure &measure() const { return m_measure; }

private:
    SheetTextMeasure m_measure;
};

} // namespace quiren
