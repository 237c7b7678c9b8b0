#pragma once

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

// CP932, the Japanese code page of the files this program has always
// written (calculation files, the certified-wall list, the JW-CAD file).
// Every conversion to and from it goes through here, so the codec is named
// once.
namespace quiren {

// The codec's name as Qt knows it: Microsoft's CP932, which holds the NEC
// and IBM extensions (①, ㈱, 髙...) that plain Shift_JIS lacks.
inline constexpr char Cp932CodecName[] = "windows-31j";

QStringEncoder Cp932Encoder();
QStringDecoder Cp932Decoder(QStringConverter::Flags flags = QStringConverter::Flag::Default);

// The text in CP932; characters it cannot hold become what the codec gives
// for them (check with Cp932CanHold first where that matters). Bytes below
// 0x80 are the same codes, as Windows has them.
QByteArray ToCp932(QStringView text);
QString FromCp932(QByteArrayView bytes);
// The text of bytes that are CP932 throughout; nothing when any is not (a
// byte cut off, a lead byte without its trail).
std::optional<QString> FromCp932Whole(QByteArrayView bytes);

// True when CP932 holds every character of `text` (an empty text too).
bool Cp932CanHold(QStringView text);
// The first character (or surrogate pair) CP932 cannot hold, or an empty text.
QString FirstNotInCp932(QStringView text);

// The text as a quoted field of a CP932 line can hold it: a double quote
// (which would end the field) becomes the full-width "＂", a line break a
// blank, and characters that look alike but that CP932 holds only in its own
// form (what Japanese input methods here commonly type) become that form:
// wave dash 〜 → ～, minus sign − → －, double vertical line ‖ → ∥,
// em dash — → ―, ¢ £ ¬ → ￠ ￡ ￢.
QString Cp932FieldText(const QString &text);

} // namespace quiren
