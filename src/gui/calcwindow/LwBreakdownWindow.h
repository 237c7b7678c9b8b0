#pragma once

#include "core/calc/CalcSheet.h"

#include <QDialog>

class QBoxLayout;
class QCheckBox;
class QLabel;

namespace quiren {

// "計算の内訳": the loads the sheet's Lw is built from and every step to
// it, with what the figure is doubtful about, so that a user can hold the
// figures against the official tool. It stays open beside the calculation
// window and follows every keystroke; it floats as a window of its own or,
// with its dock box ticked, sits in the calculation window beside the
// inputs (the window places it: dockRequested).
class LwBreakdownWindow : public QDialog {
    Q_OBJECT

public:
    LwBreakdownWindow(const CalcSheet &sheet, QWidget *parent);

    void refresh();
    // The text shown, line by line ("label<TAB>value unit").
    QStringList lines() const;
    // The warnings shown under the steps (empty when there are none).
    QStringList warningLines() const;
    void setDocked(bool docked);
    bool isDocked() const;

signals:
    void dockRequested(bool docked);

private:
    const CalcSheet &m_sheet;
    QLabel *m_inputs = nullptr;
    QLabel *m_steps = nullptr;
    QLabel *m_warnings = nullptr;
    QCheckBox *m_dock = nullptr;
    QBoxLayout *m_figures = nullptr;
};

} // namespace quiren
