#pragma once

#include "core/calc/CalcSheet.h"

#include <QDialog>

class QLabel;

namespace quiren {

// "計算の内訳": the loads the sheet's Lw is built from and every step to
// it, so that a user can hold the figures against the official tool. It
// stays open beside the calculation window and follows every keystroke.
class LwBreakdownWindow : public QDialog {
    Q_OBJECT

public:
    LwBreakdownWindow(const CalcSheet &sheet, QWidget *parent);

    void refresh();
    // The text shown, line by line ("label<TAB>value unit").
    QStringList lines() const;

private:
    const CalcSheet &m_sheet;
    QLabel *m_inputs = nullptr;
    QLabel *m_steps = nullptr;
};

} // namespace quiren
