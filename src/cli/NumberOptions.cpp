#include "cli/NumberOptions.h"

#include "cli/Command.h"

namespace quiren::cli {

void FailUsage(const QString &command, const QString &ja, const QString &en)
{
    throw UsageError{Visible(QStringLiteral("qrn %1: %2 / %3").arg(command, ja, en)) + QLatin1Char('\n')};
}

std::optional<QString> GivenOptions::text(const QString &name) const
{
    const auto it = values.find(name);
    if (it == values.end())
        return std::nullopt;
    return it->second;
}

GivenOptions GivenOptionsOf(const QString &command, const CommandLine &line, const QStringList &names)
{
    const QStringList stray = line.positional();
    if (!stray.isEmpty())
        FailUsage(command, QStringLiteral("引数 \"%1\" は使えません。").arg(stray.first()),
                  QStringLiteral("unexpected argument \"%1\".").arg(stray.first()));
    GivenOptions given;
    given.json = line.isSet(QStringLiteral("json"));
    for (const QString &name : names) {
        if (line.isSet(name))
            given.values[name] = line.value(name);
    }
    return given;
}

QString RequiredOption(const QString &command, const GivenOptions &given, const QString &name)
{
    const std::optional<QString> text = given.text(name);
    if (!text)
        FailUsage(command, QStringLiteral("--%1 を指定して下さい。").arg(name),
                  QStringLiteral("--%1 is missing.").arg(name));
    return *text;
}

} // namespace quiren::cli
