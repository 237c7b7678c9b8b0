// qrn: the command-line tool over Quiren's calculation files. The commands
// live in their own source files and register themselves (Command.h).
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "core/io/NativePath.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <csignal>
#include <cstdlib>
#include <memory>
#include <new>

#include <unistd.h>

using namespace quiren::cli;

namespace {

QStringList arguments(int argc, char **argv)
{
    QStringList list;
    // Every byte of a name is kept, also where it is not UTF-8 (a name in
    // Shift-JIS): the file is then found, and names derived from it written,
    // under the very bytes given.
    for (int i = 1; i < argc; ++i)
        list << quiren::TextOfNativeBytes(QByteArray(argv[i]));
    return list;
}

[[noreturn]] void tellOutOfMemory()
{
    // Nothing may be allocated here.
    static const char message[] = "qrn: メモリが足りません。 / out of memory.\n";
    (void)!::write(STDERR_FILENO, message, sizeof message - 1);
    std::_Exit(ExitError);
}

// Run from cron or over ssh there is no $XDG_RUNTIME_DIR; Qt then falls
// back to a folder of its own and says so on every drawing command. The
// tool needs no runtime folder of the session: that one notice is dropped,
// every other message passes.
QtMessageHandler qtHandler = nullptr;

void DropRuntimeFolderNotice(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (qtHandler)
        qtHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    // A file-size limit (ulimit -f) must fail the write, which is reported
    // and leaves the old file as it was, not kill the tool without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    // So must a memory limit (ulimit -v): an allocation that fails anywhere,
    // also where an exception cannot pass (Qt's own code), ends the tool
    // with the message instead of an abort. No file is left damaged: every
    // write goes through a temporary file.
    std::set_new_handler(tellOutOfMemory);
    const QStringList args = arguments(argc, argv);
    if (args.isEmpty()) {
        Err() << HelpText();
        return ExitError;
    }
    const QString &first = args.first();
    // "qrn help show" is "qrn show --help".
    if (first == QLatin1String("help") && args.size() == 2 && FindCommand(args.at(1))) {
        Out() << CommandHelpText(args.at(1));
        return FlushOutput().isEmpty() ? ExitOk : ExitError;
    }
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        Out() << HelpText();
        return FlushOutput().isEmpty() ? ExitOk : ExitError;
    }
    if (first == QLatin1String("--version")) {
        Out() << QStringLiteral("qrn %1.%2.%3\n")
                     .arg(QUIREN_VERSION_MAJOR)
                     .arg(QUIREN_VERSION_MINOR)
                     .arg(QUIREN_VERSION_PATCH);
        return FlushOutput().isEmpty() ? ExitOk : ExitError;
    }

    const Command *command = FindCommand(first);
    if (!command) {
        Err() << QStringLiteral("qrn: コマンド \"%1\" はありません。 / unknown command \"%1\".\n\n").arg(Visible(first));
        Err() << HelpText();
        return ExitError;
    }

    // The tool never shows a window; drawing commands get a Gui application
    // on the offscreen platform so that no display is needed.
    std::unique_ptr<QCoreApplication> app;
    if (qgetenv("XDG_RUNTIME_DIR").isEmpty())
        qtHandler = qInstallMessageHandler(DropRuntimeFolderNotice);
    if (command->needsGui) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    int status = ExitError;
    try {
        status = command->run(args.mid(1));
    } catch (const std::bad_alloc &) {
        tellOutOfMemory();
    }
    // Output that never arrived (a full disk, /dev/full) is a failure, not
    // a result.
    const QString lost = FlushOutput();
    Err().flush();
    if (!lost.isEmpty()) {
        Err() << QStringLiteral("qrn: 標準出力に書き込めません。(%1) / cannot write standard output: %1\n").arg(lost);
        Err().flush();
        return ExitError;
    }
    return status;
}
