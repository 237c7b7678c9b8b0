#include "core/print/SheetTexts.h"

#include <utility>

namespace quiren {

namespace {

// The name without a note in brackets at its end: "佐藤邸新築工事（2025年基準）"
// names the works "佐藤邸新築工事".
QString WithoutClosingNote(const QString &name)
{
    for (const auto &[open, close] : {std::pair{u'（', u'）'}, std::pair{u'(', u')'}}) {
        if (name.endsWith(QChar(close))) {
            const qsizetype at = name.lastIndexOf(QChar(open));
            if (at > 0)
                return name.left(at).trimmed();
        }
    }
    return name;
}

} // namespace

QString ProjectLineText(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("（ #N/A ）");
    if (WithoutClosingNote(trimmed).endsWith(QStringLiteral("工事")))
        return QStringLiteral("（ ") + trimmed + QStringLiteral(" ）");
    return QStringLiteral("（ ") + name + QStringLiteral("工事 ）");
}

QString RegistrationText(const QString &number)
{
    const QString trimmed = number.trimmed();
    if (trimmed.contains(QStringLiteral("第")) && trimmed.endsWith(QStringLiteral("号")))
        return trimmed;
    return QStringLiteral("第") + number + QStringLiteral("号");
}

} // namespace quiren
