// The advice window opened for the active calculation window (mnuHint of
// both windows and the tool bar's Info button).
#include "gui/tools/Hint.h"

#include "core/settings/SettingsStore.h"
#include "gui/calcwindow/CalcWindow.h"
#include "gui/calcwindow/GridModels.h"
#include "gui/calcwindow/JudgementGrid.h"
#include "gui/shell/MainWindow.h"

#include <QTabWidget>

namespace quiren {

std::optional<HintInput> HintInputOf(const CalcWindow *window)
{
    if (window == nullptr)
        return std::nullopt;
    const int s = window->currentStorey();
    if (s < 0 || s >= StoreyCount)
        return std::nullopt;

    HintInput input;
    const auto *pages = window->findChild<QTabWidget *>(QStringLiteral("TS"));
    input.pageCaption = pages ? pages->tabText(s) : StoreyName(s);
    if (JudgementGrid *grid = window->judgementGrid()) {
        const JudgementModel *model = grid->judgementModel();
        input.directionCaptions = {model->index(0, JudgeNecessary0).data().toString(),
                                   model->index(0, JudgeNecessary1).data().toString()};
    }
    input.row = window->sheet().judgement[static_cast<size_t>(s)];
    input.module = ReadModule();
    return input;
}

void ShowHintFor(MainWindow *main)
{
    if (main == nullptr)
        return;
    const std::optional<HintInput> input = HintInputOf(main->activeCalcWindow());
    ShowHint(main, input ? &*input : nullptr);
}

} // namespace quiren
