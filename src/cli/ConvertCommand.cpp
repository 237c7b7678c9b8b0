// qrn convert: a calculation file (".qrn") as a sheet file (".qrn2"), or an
// old-rule sheet file back as a calculation file. The inputs are carried
// over as they are, without opening the sheet: an old-rule sheet the
// program saved converts there and back without a byte changing.
#include "cli/CliSheet.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "core/documents/CalcFile.h"
#include "core/documents/SheetFile.h"

#include <QFileInfo>

namespace quiren::cli {

namespace {

const QString CalcSuffix = QStringLiteral("qrn");
const QString SheetSuffix = QStringLiteral("qrn2");

int runConvert(const QStringList &args)
{
    const QString command = QStringLiteral("convert");
    QString file;
    QString output;
    if (const std::optional<int> done = ParseFileAndOutput(command, args, file, output))
        return *done;
    if (output.isEmpty()) {
        // The file's own name with ".qrn2" in place of its extension.
        const QString suffix = QFileInfo(file).suffix();
        output = (suffix.isEmpty() ? file + QLatin1Char('.') : file.left(file.size() - suffix.size()))
                 + SheetSuffix;
    }
    const QString target = QFileInfo(output).suffix().toLower();
    if (target != CalcSuffix && target != SheetSuffix) {
        Err() << QStringLiteral("qrn convert: 出力ファイルの拡張子は .qrn2 か .qrn にして下さい。"
                                " / the output must end in .qrn2 or .qrn.\n");
        return ExitError;
    }
    if (OutputIsInput(command, file, output))
        return ExitError;

    int dropped = 0;
    const std::optional<SheetFileData> read = ReadCliSheetFile(file, &dropped);
    if (!read)
        return ExitError;
    if (dropped > 0) {
        Err() << QStringLiteral("qrn convert: %1: 数値でない入力など %2 か所は、計算書を開くときと同じく空にしました。"
                                " / %2 inputs the program could not take were left empty.\n")
                     .arg(VisibleName(file))
                     .arg(dropped);
    }

    if (target == SheetSuffix) {
        // A sheet file holds only numbers it can read back; the certified
        // walls and the strong-wind factor the file computes with here go
        // with it, so it computes the same at another office.
        SheetFileData converted = *read;
        converted.inputs = SheetFileDataOfCalcFile(read->inputs).inputs;
        if (const std::unique_ptr<CalcSheet> sheet = LoadCliSheet(file)) {
            const SheetFileData held = SheetFileDataOf(*sheet);
            converted.keptWalls = held.keptWalls;
            converted.strongWindFactor = held.strongWindFactor;
        }
        return ReportWritten(command, output, WriteSheetFile(output, converted));
    }

    if (read->rules != RuleSetKind::Old) {
        Err() << QStringLiteral("qrn convert: %1: 2025年基準の計算書は .qrn に保存できません (.qrn は旧基準だけの形式です)。"
                                " / a sheet under the 2025 rules cannot be stored as .qrn.\n")
                     .arg(VisibleName(file));
        return ExitError;
    }
    return ReportWritten(command, output, WriteCalcFile(output, read->inputs));
}

const bool registered = RegisterCommand({
    QStringLiteral("convert"),
    QStringLiteral("qrn convert ファイル [-o 出力.qrn2]  計算書ファイル (.qrn) を .qrn2 形式に変換します\n"
                   "                 (出力の既定はファイル名の拡張子を .qrn2 にしたもの)。\n"
                   "                 出力を .qrn にすると、旧基準の .qrn2 を .qrn に戻します。"),
    QStringLiteral("qrn convert FILE [-o OUT.qrn2]  Converts a calculation file (.qrn) into the .qrn2 format\n"
                   "                 (default: the file's name with \".qrn2\"). With an output ending in\n"
                   "                 .qrn, turns an old-rule .qrn2 back into a .qrn."),
    runConvert,
});

} // namespace

} // namespace quiren::cli
