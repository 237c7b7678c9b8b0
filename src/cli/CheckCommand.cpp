// qrn check: whether every existing storey and direction reads "OK".
#include "cli/CliSheet.h"
#include "cli/Command.h"
#include "core/calc/CalcSheet.h"
#include "core/text/StringTable.h"

namespace quiren::cli {

namespace {

int runCheck(const QStringList &args)
{
    if (args.isEmpty()) {
        Err() << QStringLiteral("qrn check: ファイルを指定して下さい。 / no file given.\n");
        return ExitError;
    }
    bool unreadable = false;
    bool shortfall = false;
    for (const QString &path : args) {
        const std::unique_ptr<CalcSheet> sheet = LoadCliSheet(path);
        if (!sheet) {
            unreadable = true;
            continue;
        }
        bool fileOk = true;
        for (int s = 0; s <= sheet->storeyIndex; ++s) {
            const JudgementRow &j = sheet->judgement[s];
            for (int d = 0; d < 2; ++d) {
                const QString result = j[JudgeResult0 + 3 * d];
                if (result == QLatin1String("OK"))
                    continue;
                // A storey without a judgement (no floor area, no framing) is
                // not sufficient either.
                fileOk = false;
                Out() << Visible(path + QStringLiteral(": ") + StoreyName(s) + QLatin1Char(' ')
                                 + DirectionCaption(d) + QStringLiteral("  ") + Str(S::JudgementNecessary)
                                 + QLatin1Char(' ') + j[JudgeNecessary0 + 3 * d] + QStringLiteral("  ")
                                 + Str(S::JudgementEffective) + QLatin1Char(' ') + j[JudgeSum0 + 3 * d]
                                 + QStringLiteral("  ") + Str(S::JudgementRatio) + QLatin1Char(' ')
                                 + (result.trimmed().isEmpty() ? QStringLiteral("-") : result.trimmed()))
                      << '\n';
            }
        }
        if (fileOk)
            Out() << Visible(path) << QStringLiteral(": OK\n");
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
    QStringLiteral("qrn check ファイル...  すべての階・方向が OK なら 0、不足があれば 1 (不足箇所を表示)、\n"
                   "                 読めないファイルがあれば 2 で終了します。"),
    QStringLiteral("qrn check FILE...  Exits 0 when every storey and direction reads OK, 1 when any falls\n"
                   "                 short (naming them), 2 when a file cannot be read."),
    runCheck,
});

} // namespace

} // namespace quiren::cli
