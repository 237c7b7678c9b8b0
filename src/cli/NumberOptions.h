#pragma once

// What the commands that compute from numbers (lw, column, nvalue) share:
// their options as given, and the usage fault that names an option.
#include "cli/CommandLine.h"

#include <QString>
#include <QStringList>

#include <map>
#include <optional>

namespace quiren::cli {

// A usage fault: the message names the option.
struct UsageError {
    QString message;
};

// Throws the usage fault "qrn COMMAND: ja / en". The message repeats what
// was typed: it is shown, never sent to the terminal as it is.
[[noreturn]] void FailUsage(const QString &command, const QString &ja, const QString &en);

// The options as given, each at most once (CommandLine refuses the rest).
struct GivenOptions {
    std::map<QString, QString> values;
    bool json = false;

    std::optional<QString> text(const QString &name) const;
};

// The options among `names` that were set, and --json; an argument that is
// not an option is a usage fault.
GivenOptions GivenOptionsOf(const QString &command, const CommandLine &line, const QStringList &names);

// The option's text, or the usage fault that it is missing.
QString RequiredOption(const QString &command, const GivenOptions &given, const QString &name);

} // namespace quiren::cli
