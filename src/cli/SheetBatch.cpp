#include "cli/SheetBatch.h"

#include "cli/CliSheet.h"
#include "cli/Command.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <deque>
#include <future>

namespace quiren::cli {

namespace {

struct BatchArgs {
    QStringList inputs;
    QString output;
    bool outputGiven = false;
};

// FILE|FOLDER... [-o FOLDER]; false after a message. An empty -o or a second
// one is refused, as for a single file.
bool ParseBatchArgs(const QString &command, const QStringList &args, BatchArgs &parsed)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("-o")) {
            if (parsed.outputGiven) {
                Err() << QStringLiteral("qrn %1: -o は 1 回だけ指定して下さい。 / -o given twice.\n").arg(command);
                return false;
            }
            if (i + 1 >= args.size() || args.at(i + 1).isEmpty()) {
                Err() << QStringLiteral("qrn %1: -o の後に出力フォルダを指定して下さい。 / -o needs a folder.\n")
                             .arg(command);
                return false;
            }
            parsed.output = args.at(++i);
            parsed.outputGiven = true;
        } else if (!arg.isEmpty() && !(arg.startsWith(QLatin1Char('-')) && arg.size() > 1)) {
            parsed.inputs << arg;
        } else {
            Err() << QStringLiteral("qrn %1: 引数 \"%2\" は使えません。 / unexpected argument \"%2\".\n")
                         .arg(command, Visible(arg));
            return false;
        }
    }
    if (parsed.inputs.isEmpty()) {
        Err() << QStringLiteral("qrn %1: ファイルを指定して下さい。 / no file given.\n").arg(command);
        return false;
    }
    return true;
}

bool IsSheetFileName(const QString &name)
{
    return name.endsWith(QLatin1String(".qrn"), Qt::CaseInsensitive)
        || name.endsWith(QLatin1String(".qrn2"), Qt::CaseInsensitive);
}

// The same file whatever the path says: the canonical path where the file
// exists, else the absolute one.
QString SameFileKey(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

bool IsSheetBatch(const QStringList &args)
{
    int inputs = 0;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("-o")) {
            if (i + 1 < args.size() && !args.at(i + 1).isEmpty() && QFileInfo(args.at(i + 1)).isDir())
                return true;
            ++i;
        } else if (!args.at(i).startsWith(QLatin1Char('-')) && !args.at(i).isEmpty()) {
            if (++inputs > 1 || QFileInfo(args.at(i)).isDir())
                return true;
        }
    }
    return false;
}

QStringList ExpandSheetInputs(const QStringList &inputs, bool *ok)
{
    QStringList files;
    for (const QString &input : inputs) {
        if (!QFileInfo(input).isDir()) {
            files << input;
            continue;
        }
        const QDir folder(input);
        QStringList found;
        for (const QString &name : folder.entryList(QDir::Files | QDir::Readable, QDir::Name)) {
            if (IsSheetFileName(name))
                found << folder.filePath(name);
        }
        if (found.isEmpty()) {
            Err() << QStringLiteral("qrn: %1 に .qrn / .qrn2 ファイルがありません。 / no .qrn or .qrn2 files in %1\n")
                         .arg(Visible(QDir::toNativeSeparators(input)));
            if (ok)
                *ok = false;
        }
        files << found;
    }
    return files;
}

int RunSheetBatch(const QString &command, const QStringList &args, const QString &suffix,
                  const SheetRenderer &render)
{
    BatchArgs parsed;
    if (!ParseBatchArgs(command, args, parsed))
        return ExitError;
    if (parsed.outputGiven) {
        const QFileInfo folder(parsed.output);
        if (folder.exists() && !folder.isDir()) {
            Err() << QStringLiteral("qrn %1: %2 はフォルダではありません。 / %2 is not a folder.\n")
                         .arg(command, Visible(QDir::toNativeSeparators(parsed.output)));
            return ExitError;
        }
        if (!folder.exists() && !QDir().mkpath(parsed.output)) {
            Err() << QStringLiteral("qrn %1: フォルダ %2 を作れません。 / cannot make the folder %2.\n")
                         .arg(command, Visible(QDir::toNativeSeparators(parsed.output)));
            return ExitError;
        }
    }
    bool allWritten = true;
    const QStringList files = ExpandSheetInputs(parsed.inputs, &allWritten);

    // A write waits mostly for the disk (each file is flushed before it
    // replaces an earlier one); a few run beside the drawing, and the system
    // flushes files written together in one go.
    struct Pending {
        QString output;
        std::future<WriteResult> written;
    };
    std::deque<Pending> pending;
    const auto reportOldest = [&] {
        Pending &oldest = pending.front();
        if (ReportWritten(command, oldest.output, oldest.written.get()) != ExitOk)
            allWritten = false;
        Out().flush();
        pending.pop_front();
    };
    constexpr std::size_t WritesInFlight = 8;

    // No output may replace a sheet of this call, nor one written before it.
    QSet<QString> taken;
    for (const QString &file : files)
        taken.insert(SameFileKey(file));
    for (const QString &file : files) {
        const QFileInfo info(file);
        const QString name = info.completeBaseName() + QLatin1Char('.') + suffix;
        // Beside the input: its path as given, with the new name.
        const QString output = parsed.outputGiven ? QDir(parsed.output).filePath(name)
                                                  : file.left(file.size() - info.fileName().size()) + name;
        const QString key = SameFileKey(output);
        if (taken.contains(key)) {
            Err() << QStringLiteral("qrn %1: %2 は入力か先に書いた出力と同じファイルです。書きません。"
                                    " / %2 is an input or an output already written; not written.\n")
                         .arg(command, Visible(QDir::toNativeSeparators(output)));
            allWritten = false;
            continue;
        }
        const std::unique_ptr<CalcSheet> sheet = LoadCliSheet(file);
        if (!sheet) {
            allWritten = false;
            continue;
        }
        taken.insert(key);
        std::optional<QByteArray> bytes = render(*sheet);
        if (!bytes) {
            pending.push_back({output, std::async(std::launch::deferred, [suffix] {
                                   return WriteResult{false, suffix.toUpper()};
                               })});
        } else {
            pending.push_back({output, std::async(std::launch::async, [output, data = std::move(*bytes)] {
                                   return WriteFileSafely(output, data);
                               })});
        }
        while (pending.size() >= WritesInFlight)
            reportOldest();
    }
    while (!pending.empty())
        reportOldest();
    return allWritten ? ExitOk : ExitError;
}

} // namespace quiren::cli
