#include "core/print/SheetTextMeasure.h"

#include <map>

namespace quiren {

namespace {
constexpr int TwipsPerPoint = 20;
// Japanese fonts set their ideographs in an em box that reaches 0.88 em above
// the base line and 0.12 em below it; the top of that box is the top of a text.
constexpr qreal EmAscent = 0.88;
// Past this many texts at one size (a long run of many sheets), the cache
// starts again rather than grow without end.
constexpr qsizetype MaxKeptTexts = 50000;
} // namespace

bool TakesItsOwnWidth(char16_t c)
{
    const auto within = [c](char16_t first, char16_t last) { return c >= first && c <= last; };
    return within(0x20, 0x7E) || (within(0xA0, 0xFF) && c != 0xAD)   // Latin, × ÷ ° ±
        || within(0x0391, 0x03A9) || within(0x03B1, 0x03C9)           // Greek: ΣLw, αh
        || within(0x2010, 0x2027) || within(0x2030, 0x205E)           // dashes, ※ …
        || within(0x2100, 0x22FF) || within(0x2460, 0x25FF)           // ≦ → ① ─ ■
        || (within(0x3000, 0x30FF) && !within(0x3099, 0x309A))        // kana, 、。「」
        || within(0x3200, 0x33FF) || within(0x4E00, 0x9FFF)           // ㎡ ㎜, kanji
        || within(0xFF01, 0xFF9F);                                    // full and half width
}

SheetTextMeasure::SheetTextMeasure(const QFont &font)
    : m_font(font)
{
    setFontSize(m_points);
}

SheetTextMeasure::Measures &SheetTextMeasure::measuresOf(const QFont &font, int points)
{
    // Kept until the program ends and never destroyed: the font metrics in
    // it must not outlive Qt's font engines, which go with the application
    // object, before static objects are destroyed.
    static auto &kept = *new std::map<std::pair<QString, int>, Measures>;
    const std::pair<QString, int> key{font.family(), points};
    auto at = kept.find(key);
    if (at == kept.end())
        at = kept.emplace(key, Measures{QFontMetricsF(font), {}, {}}).first;
    if (at->second.texts.size() > MaxKeptTexts)
        at->second.texts.clear();
    return at->second;
}

void SheetTextMeasure::setFontSize(int points)
{
    m_points = points;
    m_font.setPixelSize(qMax(1, points * TwipsPerPoint));
    m_current = &measuresOf(m_font, points);
}

float SheetTextMeasure::textWidth(const QString &text) const
{
    Measures &measures = *m_current;
    if (const auto known = measures.texts.constFind(text); known != measures.texts.cend())
        return *known;
    // The sum of the characters' widths, as laying the text out sums them
    // (each a multiple of 1/64 pixel, so the sum is exact): far cheaper than
    // shaping every new text. A character the font lacks is drawn from
    // another font, and its text is measured whole.
    qreal width = 0;
    for (const QChar c : text) {
        auto known = measures.characters.constFind(c.unicode());
        if (known == measures.characters.cend()) {
            const bool own = TakesItsOwnWidth(c.unicode()) && measures.metrics.inFont(c);
            known = measures.characters.insert(c.unicode(), own ? measures.metrics.horizontalAdvance(c) : -1.0);
        }
        if (*known < 0) {
            width = measures.metrics.horizontalAdvance(text);
            break;
        }
        width += *known;
    }
    measures.texts.insert(text, static_cast<float>(width));
    return static_cast<float>(width);
}

float SheetTextMeasure::lineHeight() const
{
    return static_cast<float>(m_points * TwipsPerPoint);
}

qreal SheetTextMeasure::baseline(float top) const
{
    return top + EmAscent * m_points * TwipsPerPoint;
}

} // namespace quiren
