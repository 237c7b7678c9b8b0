#pragma once

#include "core/print/SheetDevice.h"
#include "core/print/SheetTextMeasure.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPageLayout>

#include <optional>

namespace quiren {

class TrueTypeFace;

// The face of the sheet's font as a file the program can embed glyphs from
// itself: the file fontconfig lists for the family, when it is a TrueType
// font and is the very face Qt measures with. Nothing otherwise (the PDF is
// then written through Qt). Looked up once.
const TrueTypeFace *SheetFontFace();

// The sheet written straight into a PDF: its lines, and its texts set in the
// sheet's font, of which only the glyphs drawn are embedded. Each character
// drawn is a code of its own in the font, so the text layer gives back
// exactly the characters the sheet drew, never a radical or a look-alike
// that shares its glyph. Texts are measured as on every other surface
// (SheetTextMeasure).
//
// A text that needs more than one glyph per character side by side (a
// character the face lacks, which Qt would take from another font, or one
// that joins its neighbours) cannot be written here: finish() then gives
// nothing, and the sheet is to be written through Qt instead.
class PdfSheetDevice : public MeasuredSheetDevice {
public:
    // `face` must outlive the device.
    PdfSheetDevice(const TrueTypeFace &face, const QPageLayout &layout, const QString &title);

    float printableWidth() const override;
    float printableHeight() const override;
    void beginPage() override;
    void newPage() override;
    void drawText(float x, float y, const QString &text) override;
    void drawLine(float x1, float y1, float x2, float y2) override;
    void setLineWidth(int pixels) override;

    // The whole document, or nothing (see above).
    std::optional<QByteArray> finish();

private:
    // The font's objects, numbered from `firstObject` on: the font, its
    // glyphs' widths, the subset of the face, the text layer and the map
    // from codes to glyphs. False when the face cannot be cut.
    bool appendFontObjects(int firstObject, QList<QByteArray> &objects) const;

    const TrueTypeFace &m_face;
    QPageLayout m_layout;
    QString m_title;
    bool m_cannotWrite = false;
    float m_lineWidth = 0.0f;     // twips
    float m_pageLineWidth = -1.0f;  // as the page's content last set it
    QList<QByteArray> m_pages;    // content streams
    // Characters in the order first drawn; a character's code in the font
    // is its place here plus one (0 is the font's empty glyph).
    QHash<char16_t, quint16> m_codes;
    QList<char16_t> m_characters;
};

} // namespace quiren
