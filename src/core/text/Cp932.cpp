#include "core/text/Cp932.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace quiren {

QStringEncoder Cp932Encoder()
{
    return QStringEncoder(Cp932CodecName);
}

QStringDecoder Cp932Decoder(QStringConverter::Flags flags)
{
    return QStringDecoder(Cp932CodecName, flags);
}

namespace {

// Printable ASCII: the same byte in CP932. Most fields of a file are
// numbers, and opening a converter for each took longer than the rest of
// writing it.
bool isPrintableAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() <= 0x7E; });
}

// Windows' CP932 keeps every byte below 0x80 as the same code, as UTF-8 does;
// the codec Qt opens swaps three control codes as IBM's tables do
// (0x1A <-> U+001C, 0x1C <-> U+007F, 0x7F <-> U+001A). The texts given to it
// and taken from it are swapped back, so a file's bytes read and write as
// themselves whichever way its texts are read.
char16_t windowsControl(char16_t codec)
{
    switch (codec) {
    case 0x1C: return 0x1A;
    case 0x7F: return 0x1C;
    case 0x1A: return 0x7F;
    default: return codec;
    }
}

char16_t codecControl(char16_t windows)
{
    switch (windows) {
    case 0x1A: return 0x1C;
    case 0x1C: return 0x7F;
    case 0x7F: return 0x1A;
    default: return windows;
    }
}

bool isSwappedControl(QChar c) { return c.unicode() == 0x1A || c.unicode() == 0x1C || c.unicode() == 0x7F; }

QString codecControls(QStringView text)
{
    QString result = text.toString();
    if (std::any_of(text.begin(), text.end(), isSwappedControl)) {
        for (QChar &c : result)
            c = QChar(codecControl(c.unicode()));
    }
    return result;
}

QString windowsControls(QString text)
{
    if (std::any_of(text.cbegin(), text.cend(), isSwappedControl)) {
        for (QChar &c : text)
            c = QChar(windowsControl(c.unicode()));
    }
    return text;
}

// An encoder for one text: the thread's own, opened once, and opened again
// only after a text it could not hold (an encoder that met an error keeps
// saying so, whatever resetState clears). Opening one for each text took
// most of the time of writing a list of names. Opened in place: a moved
// encoder no longer notices errors.
QStringEncoder &freshEncoder()
{
    thread_local std::optional<QStringEncoder> encoder;
    if (!encoder || encoder->hasError())
        encoder.emplace(Cp932CodecName);
    else
        encoder->resetState();   // no half of a surrogate pair left over
    return *encoder;
}

} // namespace

QByteArray ToCp932(QStringView text)
{
    if (isPrintableAscii(text)) {
        QByteArray bytes(text.size(), Qt::Uninitialized);
        char *out = bytes.data();
        for (const QChar c : text)
            *out++ = static_cast<char>(c.unicode());
        return bytes;
    }
    return freshEncoder().encode(codecControls(text));
}

QString FromCp932(QByteArrayView bytes)
{
    // Most fields of a file are numbers. Opening a converter for each of
    // them took most of the time a file needed to be read, so single-byte
    // text is converted here, and the converter is opened once per thread.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        QString text(bytes.size(), Qt::Uninitialized);
        QChar *out = text.data();
        for (const char c : bytes)
            *out++ = QChar(static_cast<char16_t>(static_cast<unsigned char>(c)));
        return text;
    }
    thread_local QStringDecoder decoder = Cp932Decoder();
    decoder.resetState();   // nothing left over from an earlier text
    return windowsControls(decoder.decode(bytes));
}

std::optional<QString> FromCp932Whole(QByteArrayView bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return FromCp932(bytes);
    // A fresh converter: one that met an error keeps saying so.
    QStringDecoder decoder = Cp932Decoder(QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return windowsControls(std::move(text));
}

bool Cp932CanHold(QStringView text)
{
    // Half a surrogate pair at the end gives no error: the encoder waits for
    // the other half.
    if (!text.isEmpty() && text.back().isHighSurrogate())
        return false;
    if (isPrintableAscii(text))
        return true;
    QStringEncoder &encoder = freshEncoder();
    const QByteArray bytes = encoder.encode(text);   // converts only when assigned
    Q_UNUSED(bytes);
    return !encoder.hasError();
}

QString FirstNotInCp932(QStringView text)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView piece = text.mid(i, length);
        if (!Cp932CanHold(piece))
            return piece.toString();
        i += length;
    }
    return {};
}

QString Cp932FieldText(const QString &text)
{
    static const std::pair<char16_t, char16_t> replacements[] = {
        {u'"', u'\uFF02'},      // ＂ (a quote would end the field)
        {u'\r', u' '},
        {u'\n', u' '},
        {u'\u301C', u'\uFF5E'}, // 〜 → ～
        {u'\u2212', u'\uFF0D'}, // − → －
        {u'\u2016', u'\u2225'}, // ‖ → ∥
        {u'\u2014', u'\u2015'}, // — → ―
        {u'\u00A2', u'\uFFE0'}, // ¢ → ￠
        {u'\u00A3', u'\uFFE1'}, // £ → ￡
        {u'\u00AC', u'\uFFE2'}, // ¬ → ￢
    };
    QString result = text;
    for (QChar &c : result) {
        if (c.unicode() < 0x80 && c != u'"' && c != u'\r' && c != u'\n')
            continue;
        for (const auto &[from, to] : replacements) {
            if (c.unicode() == from) {
                c = QChar(to);
                break;
            }
        }
    }
    return result;
}

} // namespace quiren
