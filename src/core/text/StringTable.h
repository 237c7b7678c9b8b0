#pragma once

#include "core/text/StringIds.h"

#include <QString>
#include <QStringList>

namespace quiren {

// The program's numbered string table. Every caption, prompt, message and
// printed text is fetched from here by number, named in code by the
// constants of StringIds.h generated from the table (Str(S::SavedUnder)).
//
// A number missing from the table is a fault of the program: Str() then
// returns an empty text (and warns once on stderr), never throws.
QString Str(int number);
bool HasStr(int number);

// A caption without its accelerator: "工事名(&K)" gives "工事名".
QString PlainCaption(const QString &caption);

// A bar-separated string ("1.5×9|3×9|4.5×9|9×9") split into its items.
QStringList StrItems(int number);

} // namespace quiren
