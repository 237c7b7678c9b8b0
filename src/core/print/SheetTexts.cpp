#include "core/print/SheetTexts.h"

namespace quiren {

QString ProjectLineText(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("（ #N/A ）");
    if (trimmed.endsWith(QStringLiteral("工事")))
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
