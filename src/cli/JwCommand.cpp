// qrn jw: the calculation sheet of a file as a JW-CAD coordinate file.
#include "cli/CliSheet.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "core/print/JwExport.h"
#include "core/print/PaintSheetDevice.h"
#include "core/settings/SettingsStore.h"

#include <QBuffer>
#include <QPdfWriter>

namespace quiren::cli {

namespace {

int runJw(const QStringList &args)
{
    QString file;
    QString output;
    if (const std::optional<int> done = ParseFileAndOutput(QStringLiteral("jw"), args, file, output))
        return *done;
    if (output.isEmpty())
        output = JwFilePath(ReadJwPath(CliAppData().programFolder));
    if (OutputIsInput(QStringLiteral("jw"), file, output))
        return ExitError;

    const std::unique_ptr<CalcSheet> sheet = LoadCliSheet(file);
    if (!sheet)
        return ExitError;

    // The file is measured as the printed sheet would be: on the PDF page.
    QBuffer unused;
    unused.open(QIODevice::WriteOnly);
    QPdfWriter page(&unused);
    SetUpSheetPdf(page, QString());
    PaintSheetDevice measure(&page);

    const WriteResult written =
        WriteJwFile(output, *sheet, ReadSheetSettings(CliAppData()), measure);
    return ReportWritten(QStringLiteral("jw"), output, written);
}

const bool registered = RegisterCommand({
    QStringLiteral("jw"),
    QStringLiteral("qrn jw ファイル [-o 出力]  計算表を JW-CAD 用座標ファイルに変換します\n"
                   "                 (出力の既定は JW フォルダの Qrn_JW.txt)。"),
    QStringLiteral("qrn jw FILE [-o OUT]  Writes the calculation sheet as a JW-CAD coordinate file\n"
                   "                 (default: Qrn_JW.txt in the JW folder)."),
    runJw,
    true,
});

} // namespace

} // namespace quiren::cli
