#pragma once

#include <QString>

// Texts the printed pages build from what the user typed.
namespace quiren {

// "（ 鈴木邸新築工事 ）" for "鈴木邸新築": a name that already ends in
// "工事", or does so before a note in brackets ("鈴木邸新築工事（2025年基準）"),
// is not given a second one, and an empty one none ("（ #N/A ）", as
// the sheet prints every value left empty).
QString ProjectLineText(const QString &name);

// "第12345号" for "12345"; a number typed with its 第…号 ("第12345号",
// "東京都知事 第12号") as it is.
QString RegistrationText(const QString &number);

} // namespace quiren
