#include "cli/CommandLine.h"

#include "cli/Command.h"

namespace quiren::cli {

namespace {

const QString HelpOption = QStringLiteral("help");

} // namespace

QString CommandHelpText(const QString &command)
{
    const Command *c = FindCommand(command);
    if (!c)
        return QString();
    return QStringLiteral("  ") + c->helpJa + QStringLiteral("\n\n  ") + c->helpEn
           + QStringLiteral("\n\n終了コード: 0 正常 (すべて OK)、1 不足あり、2 読めないファイル・使い方の誤り。\n"
                            "Exit status: 0 done (all OK), 1 a shortfall, 2 an unreadable file or bad usage.\n");
}

CommandLine::CommandLine(QString command) : m_command(std::move(command))
{
    // "-abc" is -a -b -c, as on any Unix tool; long options take "--name".
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    m_parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), HelpOption}));
}

void CommandLine::addFlag(const QString &name)
{
    m_parser.addOption(QCommandLineOption(name));
}

void CommandLine::addValue(const QString &name)
{
    m_parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("VALUE")));
}

QString CommandLine::typed(const QString &name) const
{
    const QString longForm = QStringLiteral("--") + name;
    for (const QString &arg : m_args) {
        if (arg == longForm || arg.startsWith(longForm + QLatin1Char('=')))
            return longForm;
    }
    return name.size() == 1 ? QStringLiteral("-") + name : longForm;
}

void CommandLine::refuse(const QString &ja, const QString &en) const
{
    // The message may repeat what was typed: shown, never sent to the terminal.
    Err() << Visible(QStringLiteral("qrn %1: %2 / %3").arg(m_command, ja, en)) << QLatin1Char('\n');
    Err().flush();
}

std::optional<int> CommandLine::parse(const QStringList &args)
{
    m_args = args;
    // The parser takes the program's name first.
    if (!m_parser.parse(QStringList{QStringLiteral("qrn")} + args)) {
        const QStringList unknown = m_parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString option = typed(unknown.first());
            refuse(QStringLiteral("オプション %1 はありません。").arg(option),
                   QStringLiteral("unknown option %1.").arg(option));
        } else {
            // The one other fault the parser finds: a value option last,
            // without its value.
            const QString last = args.value(args.size() - 1);
            refuse(QStringLiteral("%1 の後に値を指定して下さい。").arg(last),
                   QStringLiteral("%1 needs a value.").arg(last));
        }
        return ExitError;
    }
    if (m_parser.isSet(HelpOption)) {
        Out() << CommandHelpText(m_command);
        return ExitOk;
    }
    // A second value would silently replace the first (a second -o could
    // overwrite a file the user never meant to name).
    const QStringList given = m_parser.optionNames();
    for (qsizetype i = 0; i < given.size(); ++i) {
        if (given.indexOf(given.at(i), i + 1) > i) {
            const QString option = typed(given.at(i));
            refuse(QStringLiteral("%1 は 1 回だけ指定して下さい。").arg(option),
                   QStringLiteral("%1 given twice.").arg(option));
            return ExitError;
        }
    }
    return std::nullopt;
}

std::optional<int> ParseFileAndOutput(const QString &command, const QStringList &args, QString &file,
                                      QString &output)
{
    CommandLine line(command);
    line.addValue(QStringLiteral("o"));
    if (const std::optional<int> done = line.parse(args))
        return done;
    if (line.isSet(QStringLiteral("o"))) {
        output = line.value(QStringLiteral("o"));
        if (output.isEmpty()) {
            line.refuse(QStringLiteral("-o の後に出力ファイルを指定して下さい。"), QStringLiteral("-o needs a file."));
            return ExitError;
        }
    }
    const QStringList files = line.positional();
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (i > 0 || files.at(i).isEmpty()) {
            line.refuse(QStringLiteral("引数 \"%1\" は使えません。").arg(files.at(i)),
                        QStringLiteral("unexpected argument \"%1\".").arg(files.at(i)));
            return ExitError;
        }
    }
    if (files.isEmpty()) {
        line.refuse(QStringLiteral("ファイルを指定して下さい。"), QStringLiteral("no file given."));
        return ExitError;
    }
    file = files.first();
    return std::nullopt;
}

} // namespace quiren::cli
