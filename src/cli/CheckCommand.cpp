// qrn check: whether every existing storey and direction reads "OK".
#include "cli/CliSheet.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/SheetBatch.h"
#include "cli/SheetChecks.h"
#include "core/text/NumberText.h"
#include "core/calc/CalcSheet.h"
#include "core/calc/SheetWalls.h"
#include "core/text/StringTable.h"

namespace quiren::cli {

namespace {

int runCheck(const QStringList &args)
{
    CommandLine line(QStringLiteral("check"));
    if (const std::optional<int> done = line.parse(args))
        return *done;
    const QStringList inputs = line.positional();
    if (inputs.isEmpty()) {
        line.refuse(QStringLiteral("ファイルを指定して下さい。"), QStringLiteral("no file given."));
        return ExitError;
    }
    bool shortfall = false;
    bool readable = true;   // a folder without sheets counts as unreadable
    const QStringList files = ExpandSheetInputs(inputs, &readable);
    bool unreadable = !readable;
    for (const QString &path : files) {
        std::vector<RefusedCell> refused;
        const std::unique_ptr<CalcSheet> sheet = LoadCliSheet(path, &refused);
        if (!sheet) {
            unreadable = true;
            continue;
        }
        // A number the sheet could not take was judged as an empty cell: the
        // file's own figures were not all checked, so it cannot pass.
        bool fileOk = refused.empty();
        for (const RefusedCell &cell : refused) {
            Out() << VisibleName(path + QStringLiteral(": ") + RefusedCellText(cell))
                  << QStringLiteral(" を使えません（空欄として計算） / cannot use this value, taken as empty\n");
        }
        // Walls without a multiplier (their storeys are not judged) and
        // walls computed with the multiplier the file kept.
        for (const QString &notice : WallNotices(*sheet))
            Out() << Visible(path + QStringLiteral(": ") + notice) << '\n';
        for (int s = 0; s <= sheet->storeyIndex; ++s) {
            const JudgementRow &j = sheet->judgement[s];
            for (int d = 0; d < 2; ++d) {
                const QString result = j[JudgeResult0 + 3 * d];
                if (result == QLatin1String("OK"))
                    continue;
                // A storey without a judgement (no floor area, no framing) is
                // not sufficient either.
                fileOk = false;
                Out() << VisibleName(path + QStringLiteral(": ") + StoreyName(s) + QLatin1Char(' ')
                                 + DirectionCaption(d) + QStringLiteral("  ") + Str(S::JudgementNecessary)
                                 + QLatin1Char(' ') + j[JudgeNecessary0 + 3 * d] + QStringLiteral("  ")
                                 + Str(S::JudgementEffective) + QLatin1Char(' ') + j[JudgeSum0 + 3 * d]
                                 + QStringLiteral("  ") + Str(S::JudgementRatio) + QLatin1Char(' ')
                                 + (result.trimmed().isEmpty() ? QStringLiteral("-") : result.trimmed()))
                      << '\n';
            }
        }
        // The checks beside the wall quantity, each where the sheet has it.
        for (const CliCheck &check : CliChecks()) {
            for (int st = 0; st <= sheet->storeyIndex; ++st) {
                for (const QString &line : check.storeyShortfalls(path, *sheet, st)) {
                    fileOk = false;
                    Out() << line << '\n';
                }
            }
        }
        if (fileOk)
            Out() << VisibleName(path) << QStringLiteral(": OK\n");
        else
            shortfall = true;
        Out().flush();
    }
    if (unreadable)
        return ExitError;
    return shortfall ? ExitShort : ExitOk;
}

const bool registered = RegisterCommand({
    QStringLiteral("check"),
    QStringLiteral("qrn check ファイル|フォルダ...  すべての階・方向が OK (4分割法・柱の小径・柱頭柱脚の接合のデータがあればその判定も) なら 0、\n"
                   "                 不足があれば 1 (不足箇所を表示)、読めないファイルがあれば 2 で終了します。\n"
                   "                 使えない数値は名指しし 1 とします。"),
    QStringLiteral("qrn check FILE|FOLDER...  Exits 0 when every storey and direction reads OK (and, for a sheet\n"
                   "                 with a quarter-method or column check, passes it; with columns listed,\n"
                   "                 every joint holds), 1 when any falls short (naming them) or a value\n"
                   "                 cannot be used (naming the cell),\n"
                   "                 2 when a file cannot be read."),
    runCheck,
});

} // namespace

} // namespace quiren::cli
