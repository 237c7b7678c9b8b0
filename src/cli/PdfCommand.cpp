// qrn pdf: the calculation sheet of a file, drawn into a PDF (one page, and
// the quarter-method table on a second one when the sheet has it).
#include "cli/CliSheet.h"
#include "cli/Command.h"
#include "cli/SheetBatch.h"
#include "cli/CommandLine.h"
#include "core/print/SheetPdf.h"

#include <QFileInfo>

namespace quiren::cli {

namespace {

int runPdf(const QStringList &args)
{
    if (IsSheetBatch(args)) {
        const SheetSettings settings = ReadSheetSettings(CliAppData());
        return RunSheetBatch(QStringLiteral("pdf"), args, QStringLiteral("pdf"),
                             [&settings](const CalcSheet &sheet) { return SheetPdfBytes(sheet, settings); });
    }
    QString file;
    QString output;
    if (const std::optional<int> done = ParseFileAndOutput(QStringLiteral("pdf"), args, file, output))
        return *done;
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
                   "                 (4分割法・柱の小径・柱頭柱脚のデータがあれば続くページにその表。\n"
                   "                 出力の既定はファイル名の拡張子を .pdf にしたもの)。\n"
                   "  qrn pdf ファイル|フォルダ... [-o 出力フォルダ]  複数の計算表を、それぞれ入力の隣\n"
                   "                 (または出力フォルダ) に .pdf で出力します。"),
    QStringLiteral("qrn pdf FILE [-o OUT.pdf]  Draws the calculation sheet into an A4 PDF\n"
                   "                 (further pages hold the tables of the quarter-method, column\n"
                   "                 and joint checks the sheet has; default: the file's name\n"
                   "                 with \".pdf\").\n"
                   "  qrn pdf FILE|FOLDER... [-o FOLDER]  Many sheets, each PDF beside its input\n"
                   "                 (or in FOLDER)."),
    runPdf,
    true,
});

} // namespace

} // namespace quiren::cli
