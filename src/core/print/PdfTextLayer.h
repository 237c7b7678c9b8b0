#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>

namespace quiren {

// Qt writes a PDF's text layer (the ToUnicode maps of its fonts) by giving
// each glyph the lowest code point that the font maps to it. IPAex fonts
// draw the Kangxi radicals (U+2F00-U+2FDF) and many CJK radicals
// (U+2E80-U+2EFF) with the glyphs of the ideographs they look like, so text
// copied or searched in a sheet read "⽊造" and "⻑さ" for 木造 and 長さ.
//
// The same happens to characters the sheet draws that share their glyph with
// a lower code point: a blank copied as a tab, "　" as an em space, "～" as
// the wave dash "〜" (and the other CP932 forms the program keeps texts in).
//
// Rewrites, in place, every radical that a ToUnicode map gives a single
// glyph to the ideograph of `drawn` (the characters the sheet drew) that
// `font` draws with the same glyph, and every such lower code point to the
// sheet's own character. The code points keep their four hex digits, so no
// offset in the file moves. Maps that are compressed, and glyph ranges mapped
// to runs of code points, are left as they are (Qt writes neither for these
// fonts).
void MendPdfTextLayer(QByteArray &pdf, const QFont &font, const QString &drawn);

// `text` with each radical that `font` draws as an ideograph replaced by
// that ideograph, and each look-alike by the sheet's own character: what
// MendPdfTextLayer does, for text already taken out of a PDF (one printed
// through the printer system, which is not mended).
QString IdeographsForRadicals(const QString &text, const QFont &font);

} // namespace quiren
