// qrn: the command-line tool over Quiren's calculation files. The commands
// live in their own source files and register themselves (Command.h).
#include "cli/Command.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

using namespace quiren::cli;

namespace {

QStringList arguments(int argc, char **argv)
{
    QStringList list;
    for (int i = 1; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

} // namespace

int main(int argc, char **argv)
{
    const QStringList args = arguments(argc, argv);
    if (args.isEmpty()) {
        Err() << HelpText();
        return ExitError;
    }
    const QString &first = args.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        Out() << HelpText();
        return ExitOk;
    }
    if (first == QLatin1String("--version")) {
        Out() << QStringLiteral("qrn %1.%2.%3\n")
                     .arg(QUIREN_VERSION_MAJOR)
                     .arg(QUIREN_VERSION_MINOR)
                     .arg(QUIREN_VERSION_PATCH);
        return ExitOk;
    }

    const Command *command = FindCommand(first);
    if (!command) {
        Err() << QStringLiteral("qrn: コマンド \"%1\" はありません。 / unknown command \"%1\".\n\n").arg(first);
        Err() << HelpText();
        return ExitError;
    }

    // The tool never shows a window; drawing commands get a Gui application
    // on the offscreen platform so that no display is needed.
    std::unique_ptr<QCoreApplication> app;
    if (command->needsGui) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const int status = command->run(args.mid(1));
    Out().flush();
    Err().flush();
    return status;
}
