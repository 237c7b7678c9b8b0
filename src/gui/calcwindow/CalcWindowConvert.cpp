// The File menu's conversions of a sheet between the rule sets.
#include "core/calc/RuleConversion.h"
#include "core/text/StringTable.h"
#include "gui/calcwindow/CalcWindow.h"
#include "gui/calcwindow/SheetDocument.h"
#include "gui/widgets/ChoiceBox.h"
#include "gui/widgets/MessageBox.h"

namespace quiren {

namespace {

QString lines(int id)
{
    return Str(id).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
}

QString weightChoice(int weightType, const QString &name)
{
    return Str(weightType == 1 ? S::HeavyRoofChoice : S::LightRoofChoice).arg(name);
}

} // namespace

bool CalcWindow::convertTo2025()
{
    if (m_sheet.ruleSetKind() == RuleSetKind::Rules2025)
        return false;
    QString reason = RulesFor(RuleSetKind::Rules2025).storeyRefusal(m_sheet.storeyIndex + 1);
    if (!reason.isEmpty()) {
        ShowMessage(window(), Str(S::ConvertRefused) + QLatin1Char('\n') + reason, MsgButtons::Ok,
                    MsgIcon::Exclamation, Str(S::AppTitle));
        return false;
    }
    // The roof the 2025 loads start from, offered as the old weight choice
    // says (or as the sheet held it when it was under these rules before).
    const SeismicInputs &seismic = m_sheet.weightInputs.seismic;
    std::vector<RoofFinish> roofs{RoofFinish::Tile, RoofFinish::Slate, RoofFinish::Metal};
    if (seismic.roof == RoofFinish::Typed)
        roofs.push_back(RoofFinish::Typed);
    ChoiceRequest request{lines(S::ConvertQuestion) + QLatin1Char('\n') + Str(S::ConvertRoofQuestion), {}, 0,
                          Str(S::AppTitle)};
    const bool heldBefore = WeightTypeForRoof(seismic.roof, seismic.roofLoad) == m_sheet.weightType;
    const RoofFinish offered = heldBefore ? seismic.roof : RoofFinishForWeight(m_sheet.weightType);
    for (size_t k = 0; k < roofs.size(); ++k) {
        request.choices << weightChoice(WeightTypeForRoof(roofs[k], seismic.roofLoad), ChoiceName(roofs[k]));
        if (roofs[k] == offered)
            request.chosen = static_cast<int>(k);
    }
    const std::optional<int> chosen = AskChoice(window(), request);
    if (!chosen)
        return false;
    if (!ConvertTo2025(m_sheet, roofs[static_cast<size_t>(*chosen)], &reason))
        return false;
    showConverted(lines(S::ConvertDone));
    return true;
}

bool CalcWindow::convertToOldRules()
{
    if (m_sheet.ruleSetKind() == RuleSetKind::Old)
        return false;
    const QStringList refusals = OldRulesRefusals(m_sheet);
    if (!refusals.isEmpty()) {
        ShowMessage(window(), Str(S::ConvertOldRefused) + QLatin1Char('\n') + refusals.join(QLatin1Char('\n')),
                    MsgButtons::Ok, MsgIcon::Exclamation, Str(S::AppTitle));
        return false;
    }
    const SeismicInputs &seismic = m_sheet.weightInputs.seismic;
    ChoiceRequest request{lines(S::ConvertOldQuestion),
                          {Str(S::WeightChoices), Str(S::WeightChoices + 1)},
                          WeightTypeForRoof(seismic.roof, seismic.roofLoad),
                          Str(S::AppTitle)};
    for (QString &choice : request.choices)
        choice.remove(QStringLiteral("(&L)")).remove(QStringLiteral("(&I)"));
    const std::optional<int> chosen = AskChoice(window(), request);
    if (!chosen)
        return false;
    QString reason;
    if (!ConvertToOldRules(m_sheet, *chosen, &reason)) {
        ShowMessage(window(), Str(S::ConvertOldRefused) + QLatin1Char('\n') + reason, MsgButtons::Ok,
                    MsgIcon::Exclamation, Str(S::AppTitle));
        return false;
    }
    showConverted(Str(S::ConvertOldDone));
    return true;
}

// The window takes the shape of the sheet's new rules; the user is told
// what follows.
void CalcWindow::showConverted(const QString &done)
{
    showSheet();
    layoutSizes();
    markChanged();
    ShowMessage(window(), done, MsgButtons::Ok, MsgIcon::Information, Str(S::AppTitle));
}

} // namespace quiren
