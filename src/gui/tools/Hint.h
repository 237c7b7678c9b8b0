#pragma once

#include "core/calc/CalcSheet.h"

#include <QDialog>
#include <QString>

#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

namespace quiren {

// What the advice window takes from the active calculation window when it
// opens: the caption of the storey page shown, the two direction captions of
// the judgement grid and that storey's judgement row.
struct HintInput {
    QString pageCaption;
    std::array<QString, 2> directionCaptions;
    JudgementRow row;
    int module = 0;   // "Mod": the planning module whose lengths are offered
};

// The framing advice window: for each direction, the places of framing of a
// chosen standard length that still cover the storey's shortfall. It only
// reads what it was given; the calculation window is not touched.
class frmHint : public QDialog {
    Q_OBJECT
public:
    explicit frmHint(const HintInput &input, QWidget *owner = nullptr);

    // The controls, for tests and for the captions.
    QLabel *Label1 = nullptr;                   // heading
    std::array<QLabel *, 4> Lab2{};             // 0, 1 direction captions; 2, 3 results
    std::array<QComboBox *, 2> cmbLong{};       // standard lengths per direction
    QLabel *Lab = nullptr;                      // note on the wall multiplier
    QPushButton *Cmd1 = nullptr;                // close

private:
    void evaluate(int d);

    HintInput m_input;
};

// Opens the advice window modal over `owner` for the given input. Nothing
// opens when there is no input (no active calculation window).
void ShowHint(QWidget *owner, const HintInput *input);

} // namespace quiren
