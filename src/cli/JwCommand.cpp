// qrn jw: the calculation sheet of a file as a JW-CAD coordinate file.
#include "cli/CliSheet.h"
#include "cli/Command.h"
#include "cli/SheetBatch.h"
#include "cli/CommandLine.h"
#include "core/print/JwExport.h"
#include "core/print/PaintSheetDevice.h"
#include "core/settings/SettingsStore.h"

#include <QBuffer>
#include <QPdfWriter>

#include <memory>

namespace quiren::cli {

namespace {

// The sheet is measured as the printed sheet would be: on a PDF page. One
// page serves every sheet of a call.
class JwMeasure {
public:
    JwMeasure()
        : m_page(&m_unused)
    {
        m_unused.open(QIODevice::WriteOnly);
        SetUpSheetPdf(m_page, QString());
        m_device = std::make_unique<PaintSheetDevice>(&m_page);
    }
    PaintSheetDevice &device() { return *m_device; }

private:
    QBuffer m_unused;
    QPdfWriter m_page;
    std::unique_ptr<PaintSheetDevice> m_device;
};

int runJw(const QStringList &args)
{
    if (IsSheetBatch(args)) {
        const SheetSettings settings = ReadSheetSettings(CliAppData());
        JwMeasure measure;
        return RunSheetBatch(QStringLiteral("jw"), args, QStringLiteral("txt"),
                             [&](const CalcSheet &sheet) -> std::optional<QByteArray> {
                                 return JwFileBytes(JwSheetLines(sheet, settings, measure.device()));
                             });
    }
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

    JwMeasure measure;
    const WriteResult written =
        WriteJwFile(output, *sheet, ReadSheetSettings(CliAppData()), measure.device());
    return ReportWritten(QStringLiteral("jw"), output, written);
}

const bool registered = RegisterCommand({
    QStringLiteral("jw"),
    QStringLiteral("qrn jw ファイル [-o 出力]  計算表を JW-CAD 用座標ファイルに変換します\n"
                   "                 (出力の既定は JW フォルダの Qrn_JW.txt)。\n"
                   "  qrn jw ファイル|フォルダ... [-o 出力フォルダ]  複数の計算表を、それぞれ入力の隣\n"
                   "                 (または出力フォルダ) に .txt で出力します。"),
    QStringLiteral("qrn jw FILE [-o OUT]  Writes the calculation sheet as a JW-CAD coordinate file\n"
                   "                 (default: Qrn_JW.txt in the JW folder).\n"
                   "  qrn jw FILE|FOLDER... [-o FOLDER]  Many sheets, each coordinate file beside\n"
                   "                 its input as NAME.txt (or in FOLDER)."),
    runJw,
    true,
});

} // namespace

} // namespace quiren::cli
