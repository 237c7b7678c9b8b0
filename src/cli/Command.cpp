#include "cli/Command.h"

#include "core/io/SystemError.h"

#include <QCoreApplication>

#include <QFileDevice>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quiren::cli {

namespace {

// Filled by namespace-scope initialisers of the command files, so it has to
// exist before any of them runs.
std::vector<Command> &table()
{
    static std::vector<Command> commands;
    return commands;
}

} // namespace

bool RegisterCommand(Command command)
{
    if (FindCommand(command.name)) {
        std::fprintf(stderr, "qrn: command \"%s\" registered twice\n", qPrintable(command.name));
        return false;
    }
    table().push_back(std::move(command));
    return true;
}

std::vector<const Command *> Commands()
{
    std::vector<const Command *> list;
    for (const Command &c : table())
        list.push_back(&c);
    std::sort(list.begin(), list.end(),
              [](const Command *a, const Command *b) { return a->name < b->name; });
    return list;
}

const Command *FindCommand(const QString &name)
{
    for (const Command &c : table()) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

QTextStream &Out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &Err()
{
    static QTextStream stream(stderr);
    return stream;
}

QString FlushOutput()
{
    QTextStream &out = Out();
    errno = 0;
    out.flush();
    auto *file = qobject_cast<QFileDevice *>(out.device());
    if (out.status() == QTextStream::WriteFailed || (file && file->error() != QFileDevice::NoError))
        return SystemErrorText(errno ? errno : EIO);
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return SystemErrorText(errno ? errno : EIO);
    return QString();
}

namespace {

QString escaped(const QString &text, bool lineFeeds)
{
    const auto needsEscape = [&text, lineFeeds](qsizetype i) {
        const char16_t c = text[i].unicode();
        const bool control = (c < 0x20 && (lineFeeds || c != u'\n')) || (c >= 0x7F && c <= 0x9F);
        // A byte of a name that is not UTF-8 is kept as U+DC80..U+DCFF.
        const bool rawByte = c >= 0xDC80 && c <= 0xDCFF && !(i > 0 && text[i - 1].isHighSurrogate());
        return control || rawByte;
    };
    qsizetype first = 0;
    while (first < text.size() && !needsEscape(first))
        ++first;
    if (first == text.size())
        return text;   // the usual case: shared, not copied
    QString shown;
    shown.reserve(text.size());
    shown += QStringView(text).left(first);
    for (qsizetype i = first; i < text.size(); ++i) {
        if (needsEscape(i))
            shown += QStringLiteral("\\x%1").arg(text[i].unicode() & 0xFF, 2, 16, QLatin1Char('0'));
        else
            shown += text[i];
    }
    return shown;
}

} // namespace

QString Visible(const QString &text)
{
    return escaped(text, false);
}

QString VisibleName(const QString &name)
{
    return escaped(name, true);
}

QString HelpText()
{
    // The tool's own usage text, in both languages; the messages about files
    // come from the program's string table.
    QString text;
    text += QStringLiteral("使い方: qrn コマンド [オプション] ファイル...\n"
                           "Quiren の計算書ファイル (.qrn 旧形式・旧基準、.qrn2 旧基準・2025年基準) を画面なしで読み、\n"
                           "表示・判定・変換・印刷します。設定と WallListData はプログラムと同じものを読みます\n"
                           "(インストールしたプログラムでは ~/.local/share/Quiren/WallListData、\n"
                           " ビルドしたフォルダから実行するときは qrn と同じフォルダ)。詳しくは man qrn。\n\n");
    for (const Command *c : Commands())
        text += QStringLiteral("  ") + c->helpJa + QLatin1Char('\n');
    text += QStringLiteral("  qrn --help    この説明を表示します。\n"
                           "  qrn --version 版数を表示します。\n"
                           "終了コード: 0 正常 (すべて OK)、1 不足あり、2 読めないファイル・使い方の誤り。\n\n");
    text += QStringLiteral("Usage: qrn COMMAND [OPTIONS] FILE...\n"
                           "Reads Quiren calculation files (.qrn: old format, old rules; .qrn2: old or 2025 rules)\n"
                           "without a display, shows, checks, converts and prints them. Uses the program's settings\n"
                           "and its WallListData (installed: ~/.local/share/Quiren/WallListData; run from a build\n"
                           "folder: the one beside qrn). See man qrn.\n\n");
    for (const Command *c : Commands())
        text += QStringLiteral("  ") + c->helpEn + QLatin1Char('\n');
    text += QStringLiteral("  qrn --help    Shows this text.\n"
                           "  qrn --version Shows the version.\n"
                           "Exit status: 0 done (all OK), 1 a shortfall, 2 an unreadable file or bad usage.\n");
    return text;
}

} // namespace quiren::cli
