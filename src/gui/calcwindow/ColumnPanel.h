#pragma once

#include "core/calc/CalcSheet.h"
#include "gui/calcwindow/NumberBox.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

namespace quiren {

// One storey's column diameter check (柱の小径): the method, the timber or a
// typed Fc, Wd typed or from the sheet's loads, the largest tributary area,
// per direction the distance l and the section; then every step of the
// check as the user types, with the wall-quantity and balance verdicts
// beside the column verdict. The figures come from the core's check.
class ColumnPanel : public QWidget {
    Q_OBJECT

public:
    ColumnPanel(CalcSheet &sheet, int storey, QWidget *parent = nullptr);

    int storey() const { return m_storey; }
    QComboBox *methodBox() const { return m_method; }
    QComboBox *timberBox() const { return m_timber; }
    QLineEdit *lengthBox(int d) const { return m_length[d]; }
    QLineEdit *depthBox(int d) const { return m_depth[d]; }
    QLabel *stepsLabel() const { return m_steps; }
    QLabel *verdictLabel() const { return m_verdict; }

    // Shows the sheet again (inputs and results), without change reactions.
    void refresh();
    // Only the results (after edits elsewhere: loads, rules, framing).
    void refreshResults();

signals:
    // An input of the panel changed the sheet.
    void sheetEdited();

private:
    // A box of a number not below 0, named `field` in its refusal.
    NumberBox *numberBox(const char *name, int twips, const QString &field);
    // A number the box has accepted, stored as it is kept.
    void onNumber(QString StoreyColumnInputs::*field, const QString &text);
    void onDirectionNumber(int d, QString ColumnDirectionInputs::*field, const QString &text);
    void edited();

    CalcSheet &m_sheet;
    int m_storey;
    bool m_showing = false;
    QComboBox *m_method = nullptr;
    QComboBox *m_timber = nullptr;
    NumberBox *m_fc = nullptr;
    QComboBox *m_wdSource = nullptr;
    NumberBox *m_wd = nullptr;
    QLineEdit *m_wdNote = nullptr;
    NumberBox *m_area = nullptr;
    std::array<NumberBox *, 2> m_length{};
    std::array<NumberBox *, 2> m_depth{};
    std::array<NumberBox *, 2> m_width{};
    QLabel *m_lines = nullptr;     // method, timber, Wd and its source
    QLabel *m_steps = nullptr;     // the table of steps per direction
    QLabel *m_verdict = nullptr;   // 壁量 / つり合い / 柱の小径
};

} // namespace quiren
