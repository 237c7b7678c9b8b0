// qrn check: whether every existing storey and direction reads "OK".
#include "cli/CliSheet.h"
#include "cli/Command.h"
#include "cli/SheetBatch.h"
#include "core/calc/Balance.h"
#include "core/calc/ColumnCheck.h"
#include "core/text/NumberText.h"
#include "core/calc/CalcSheet.h"
#include "core/calc/SheetWalls.h"
#include "core/text/StringTable.h"

namespace quiren::cli {

namespace {

int runCheck(const QStringList &args)
{
    if (args.isEmpty()) {
        Err() << QStringLiteral("qrn check: ファイルを指定して下さい。 / no file given.\n");
        return ExitError;
    }
    bool shortfall = false;
    bool readable = true;   // a folder without sheets counts as unreadable
    const QStringList files = ExpandSheetInputs(args, &readable);
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
        // The balance of the wall layout, when the sheet has one: a storey
        // and direction not yet checked is not balanced either.
        if (HasBalanceData(*sheet)) {
            for (int s = 0; s <= sheet->storeyIndex; ++s) {
                for (int d = 0; d < 2; ++d) {
                    const BalanceResult result = CheckBalance(*sheet, s, d);
                    if (BalancePassed(*sheet, s, d))
                        continue;
                    fileOk = false;
                    Out() << VisibleName(path + QStringLiteral(": ") + StoreyName(s) + QLatin1Char(' ')
                                     + StrItems(S::BalanceDirections).value(d) + QStringLiteral("  ")
                                     + Str(S::BalanceTitle) + QLatin1Char(' ')
                                     + (result.checked() ? result.judgementText()
                                                             + (result.passed() ? QStringLiteral(" (倍率の合計でNG)") : QString())
                                                         : QStringLiteral("-")))
                          << '\n';
                }
            }
        }
        // The column diameter check, when the sheet has one: a storey not
        // yet worked out is not sufficient either.
        if (HasColumnData(*sheet)) {
            for (int s = 0; s <= sheet->storeyIndex; ++s) {
                const StoreyColumnResult result = CheckStoreyColumns(*sheet, s);
                if (result.verdict == ColumnVerdict::Sufficient)
                    continue;
                fileOk = false;
                QStringList reasons;
                for (int d = 0; d < 2; ++d) {
                    const ColumnDirectionResult &dir = result.direction[d];
                    if (!dir.checked || dir.figures.ok())
                        continue;
                    QString reason = ColumnDirectionName(d) + QLatin1Char(' ');
                    if (!dir.figures.slenderOk)
                        reason += QStringLiteral("λ %1 > 150 ").arg(TenthText(dir.figures.lambda));
                    if (!dir.figures.strengthOk) {
                        const double need = dir.figures.required(dir.input);
                        reason += result.method == ColumnMethod::Area && !result.oldRules
                                      ? QStringLiteral("負担面積 %1 > Aa %2").arg(FormatDecimal(dir.input.tributaryM2, 2, 0), TenthText(need))
                                      : QStringLiteral("d %1 < %2").arg(FormatDecimal(dir.input.depthMm, 2, 0), TenthText(need));
                    }
                    reasons << reason.trimmed();
                }
                if (result.verdict != ColumnVerdict::Short)
                    reasons << QStringLiteral("未入力: ") + (result.missing.isEmpty() ? QStringLiteral("-") : result.missing.join(QStringLiteral("、")));
                Out() << Visible(path + QStringLiteral(": ") + StoreyName(s) + QStringLiteral("  柱の小径 ")
                                 + result.methodText() + QStringLiteral("  ")
                                 + (result.verdict == ColumnVerdict::Short ? QStringLiteral("NG ") : QString())
                                 + reasons.join(QStringLiteral("  ")))
                      << '\n';
            }
        }
        // The column-end joints, when the sheet lists columns: every
        // column's hardware must reach what its N calls for.
        for (int s = 0; s <= sheet->storeyIndex; ++s) {
            if (sheet->joints[s].isBlank())
                continue;
            const JointStoreyResult result = CheckColumnJoints(*sheet, s);
            const QString where = path + QStringLiteral(": ") + StoreyName(s) + QStringLiteral("  柱頭・柱脚の接合 ");
            if (!result.refusal.isEmpty()) {
                fileOk = false;
                Out() << Visible(where + result.refusal) << '\n';
            }
            for (size_t c = 0; c < result.columns.size(); ++c) {
                if (result.columns[c].passed)
                    continue;
                fileOk = false;
                Out() << Visible(where + sheet->joints[s].columns[c].name + QStringLiteral(": ")
                                 + result.columns[c].problem)
                      << '\n';
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
