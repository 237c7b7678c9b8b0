#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QList>

#include <memory>

namespace quiren {

// A TrueType font file as a PDF needs it to embed the few glyphs a sheet
// draws: its tables, each glyph's outline and advance, and the glyph of a
// character. The file is mapped, never read whole, so opening the sheet's
// 7 MB face costs only the pages of the glyphs used. Every offset in the file
// is checked before it is followed; a file that is not a plain TrueType font
// (a collection, CFF outlines, cut or inconsistent tables) is not opened.
class TrueTypeFace {
public:
    // The face in the file at `path`, or nothing.
    static std::unique_ptr<TrueTypeFace> Open(const QString &path);
    // The face in `bytes`, which must outlive it (for tests), or nothing.
    static std::unique_ptr<TrueTypeFace> FromBytes(QByteArrayView bytes);

    // A table by its four-letter tag ("head", "glyf"); empty when absent.
    QByteArrayView table(const char *tag) const;
    int glyphCount() const { return m_glyphCount; }
    int unitsPerEm() const { return m_unitsPerEm; }
    // The glyph drawing `c`, 0 (.notdef) when the face has none.
    quint16 glyphFor(char16_t c) const;
    // A glyph's advance in font units.
    int advance(quint16 glyph) const;
    // A glyph's outline as the "glyf" table holds it (empty for a blank).
    QByteArrayView outline(quint16 glyph) const;
    // The face's PostScript name ("IPAexMincho"), whatever the language the
    // family name is asked in; empty when the face has none.
    QByteArray postScriptName() const;

private:
    TrueTypeFace() = default;
    bool read();
    bool readCharacterMap();

    QFile m_file;
    QByteArrayView m_bytes;
    struct Table {
        quint32 tag;
        QByteArrayView bytes;
    };
    QList<Table> m_tables;
    int m_glyphCount = 0;
    int m_unitsPerEm = 0;
    bool m_longOffsets = false;
    int m_metricCount = 0;
    QByteArrayView m_glyphTable, m_offsets, m_metrics;
    // The Unicode BMP subtable (format 4): its segments' end and start codes,
    // deltas and range offsets, kept as the file holds them.
    QByteArrayView m_characterMap;
    int m_segments = 0;
};

// A font of the glyphs `glyphs` of `face`, renumbered in that order (the
// first should be 0, .notdef): the outlines and advances a PDF viewer draws
// them with, without hinting. Empty when a glyph is out of range, cut short,
// or made of other glyphs.
QByteArray SubsetTrueTypeFace(const TrueTypeFace &face, const QList<quint16> &glyphs);

} // namespace quiren
