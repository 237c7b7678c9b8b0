// qrn pdf: the calculation sheet of a file, drawn into a PDF (one page, and
// the quarter-method table on a second one when the sheet has it).
#include "cli/CliSheet.h"
#include "cli/Command.h"
#include "cli/SheetBatch.h"
#include "core/print/SheetPdf.h"

#include <QFileInfo>

namespace quiren::cli {

namespace {

// FILE [-o OUT]; false (after a message) for anything else. An empty OUT
// or a second -o is refused rather than quietly replaced by the default
// place, where it would overwrite a file the user never named.
bool ParseFileAndOutput(const QString &command, const QStringList &args, QString &file,
                        QString &output)
{
    bool outputGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("-o")) {
            if (outputGiven) {
                Err() << QStringLiteral("qrn %1: -o は 1 回だけ指定して下さい。 / -o given twice.\n").arg(command);
                return false;
            }
            if (i + 1 >= args.size() || args.at(i + 1).isEmpty()) {
                Err() << QStringLiteral("qrn %1: -o の後に出力ファイルを指定して下さい。 / -o needs a file.\n")
                             .arg(command);
                return false;
            }
            output = args.at(++i);
            outputGiven = true;
        } else if (file.isEmpty() && !arg.isEmpty() && !(arg.startsWith(QLatin1Char('-')) && arg.size() > 1)) {
            file = arg;
        } else {
            Err() << QStringLiteral("qrn %1: 引数 \"%2\" は使えません。 / unexpected argument \"%2\".\n")
                         .arg(command, Visible(arg));
            return false;
        }
    }
    if (file.isEmpty()) {
        Err() << QStringLiteral("qrn %1: ファイルを指定して下さい。 / no file given.\n").arg(command);
        return false;
    }
    return true;
}

int runPdf(const QStringList &args)
{
    if (IsSheetBatch(args)) {
        const SheetSettings settings = ReadSheetSettings(CliAppData());
        return RunSheetBatch(QStringLiteral("pdf"), args, QStringLiteral("pdf"),
                             [&settings](const CalcSheet &sheet) { return SheetPdfBytes(sheet, settings); });
    }
    QString file;
    QString output;
    if (!ParseFileAndOutput(QStringLiteral("pdf"), args, file, output))
        return ExitError;
    if (output.isEmpty()) {
        // The file's own name with ".pdf" in place of its extension.
        const QString suffix = QFileInfo(file).suffix();
        output = suffix.isEmpty() ? file + QStringLiteral(".pdf")
                                  : file.left(file.size() - suffix.size()) + QStringLiteral("pdf");
    }

    if (OutputIsInput(QStringLiteral("pdf"), file, output))
        return ExitError;

    const std::unique_ptr<CalcSheet> sheet = LoadCliSheet(file);
    if (!sheet)
        return ExitError;
    const WriteResult written = WriteSheetPdf(output, *sheet, ReadSheetSettings(CliAppData()));
    return ReportWritten(QStringLiteral("pdf"), output, written);
}

const bool registered = RegisterCommand({
    QStringLiteral("pdf"),
    QStringLiteral("qrn pdf ファイル [-o 出力.pdf]  計算表を A4 縦の PDF に出力します\n"
                   "                 (4分割法のデータがあれば続くページにその表。\n"
                   "                 出力の既定はファイル名の拡張子を .pdf にしたもの)。\n"
                   "qrn pdf ファイル|フォルダ... [-o 出力フォルダ]  複数の計算表を、それぞれ入力の隣\n"
                   "                 (または出力フォルダ) に .pdf で出力します。"),
    QStringLiteral("qrn pdf FILE [-o OUT.pdf]  Draws the calculation sheet into an A4 PDF\n"
                   "                 (a further page holds the quarter-method table when the sheet\n"
                   "                 has one; default: the file's name with \".pdf\").\n"
                   "qrn pdf FILE|FOLDER... [-o FOLDER]  Many sheets, each PDF beside its input\n"
                   "                 (or in FOLDER)."),
    runPdf,
    true,
});

} // namespace

// Shared with qrn jw.
bool ParseSheetOutputArgs(const QString &command, const QStringList &args, QString &file,
                          QString &output)
{
    return ParseFileAndOutput(command, args, file, output);
}

} // namespace quiren::cli
