#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <vector>

// The sub-commands of the qrn tool ("qrn show ...", "qrn check ...").
//
// Adding a command: write it in a source file of its own in this folder and
// register it there with a namespace-scope initialiser. The build takes
// every source of this folder (CMakeLists.txt), so nothing else changes:
//
//     namespace {
//     int runPdf(const QStringList &args) { ...; return quiren::cli::ExitOk; }
//     const bool registered = quiren::cli::RegisterCommand({
//         "pdf",
//         "qrn pdf FILE [-o OUT.pdf]   計算書を PDF に出力します。",
//         "qrn pdf FILE [-o OUT.pdf]   Draws the calculation sheet into a PDF.",
//         runPdf,
//         true});   // needs Qt Gui (fonts, painting)
//     }
//
// Commands are listed in `qrn --help` in alphabetical order. A command reads
// calculation files through LoadCliSheet() (CliSheet.h), which prints the
// program's own messages for files that cannot be read.
namespace quiren::cli {

// Exit statuses every command keeps to.
enum ExitStatus {
    ExitOk = 0,      // done; for checks: everything is sufficient
    ExitShort = 1,   // a check found a shortfall
    ExitError = 2,   // bad usage, or a file could not be read or written
};

struct Command {
    QString name;
    // Usage line(s) and a short description for `qrn --help`.
    QString helpJa;
    QString helpEn;
    // Runs the command with the arguments that follow its name.
    std::function<int(const QStringList &args)> run;
    // True when the command draws (fonts, painting): qrn then starts a
    // QGuiApplication on the offscreen platform instead of a core one.
    bool needsGui = false;
};

// Adds a command to qrn's table; returns true so that it can initialise a
// namespace-scope constant. A second command of the same name is a fault
// (reported on stderr, the first one stays).
bool RegisterCommand(Command command);

// Every registered command, sorted by name.
std::vector<const Command *> Commands();
const Command *FindCommand(const QString &name);

// Standard output and standard error, UTF-8.
QTextStream &Out();
QTextStream &Err();

// Flushes standard output to the system; the system's description of the
// error when the output could not be written, else an empty text.
QString FlushOutput();

// A text as a terminal may show it: control characters (other than the line
// feed), DEL, the C1 controls and bytes of a name that are not UTF-8 are
// written as "\x1b", so that a title cannot move the cursor, retitle the
// window or clear the screen.
QString Visible(const QString &text);
// A file name, or any one line of output built from one, as Visible shows
// it and with its line feeds written as "\x0a" too: a name holding
// "\nfile: OK" must not print a line of its own.
QString VisibleName(const QString &name);

// The text of `qrn --help`.
QString HelpText();

} // namespace quiren::cli
