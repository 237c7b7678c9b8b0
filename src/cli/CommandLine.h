#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

// The options of one qrn command, parsed by QCommandLineParser. Each command
// declares what it takes and asks parse() first:
//
//     CommandLine line(QStringLiteral("pdf"));
//     line.addValue(QStringLiteral("o"));
//     if (const std::optional<int> done = line.parse(args))
//         return *done;   // its help was shown, or the usage was wrong
//
// Every command thereby takes -h and --help (its own help on stdout, exit
// 0), and refuses, naming it on stderr with exit 2, an option it does not
// know, an option without its value and an option given twice.
namespace quiren::cli {

class CommandLine {
public:
    explicit CommandLine(QString command);

    // An option without a value ("json" for --json).
    void addFlag(const QString &name);
    // An option with a value: "-o OUT", "--roof tile" or "--roof=tile".
    void addValue(const QString &name);

    // Empty when the command is to run; else the exit status to return
    // (its help shown, or a usage message on stderr).
    std::optional<int> parse(const QStringList &args);

    bool isSet(const QString &name) const { return m_parser.isSet(name); }
    QString value(const QString &name) const { return m_parser.value(name); }
    QStringList positional() const { return m_parser.positionalArguments(); }

    // "qrn pdf: ja / en" on stderr, the texts shown as Visible() gives them.
    void refuse(const QString &ja, const QString &en) const;

private:
    // An option as the user typed it: "-o", "--json", "--l".
    QString typed(const QString &name) const;

    QString m_command;
    QStringList m_args;
    QCommandLineParser m_parser;
};

// The arguments of a command that writes one file from one: FILE [-o OUT].
// Empty when the command is to run, else its exit status (its help shown,
// or a message). An empty OUT or a second -o is refused rather than quietly
// replaced by the default place, where it would overwrite a file the user
// never named.
std::optional<int> ParseFileAndOutput(const QString &command, const QStringList &args, QString &file,
                                      QString &output);

// The help of one command (its lines of `qrn --help`, both languages).
QString CommandHelpText(const QString &command);

} // namespace quiren::cli
