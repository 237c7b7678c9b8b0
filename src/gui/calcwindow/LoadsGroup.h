#pragma once

#include "core/calc/CalcSheet.h"

#include <QGroupBox>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace quiren {

class NumberBox;

// "建物の荷重": what the seismic requirement of the 2025 rules is built
// from. How Lw is found, the roof, solar-panel and wall finishes (each a
// list plus "任意" with a typed N/m²), the use, C0, the eaves overhang, the
// pitch and the rise; the unit loads when the user types them, and the
// source of a typed Lw. Every change goes straight into the sheet's
// inputs; the window recalculates on `edited`.
class LoadsGroup : public QGroupBox {
    Q_OBJECT

public:
    LoadsGroup(CalcSheet &sheet, QWidget *parent);

    // Shows the sheet's inputs without reporting edits.
    void showSheet();

signals:
    void edited();
    // The breakdown button was pressed.
    void breakdownRequested();
    void focused();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void changed();
    void updateEnabled();

    CalcSheet &m_sheet;
    bool m_showing = false;
    QComboBox *m_method = nullptr;
    QComboBox *m_roof = nullptr;
    NumberBox *m_roofLoad = nullptr;
    QComboBox *m_solar = nullptr;
    NumberBox *m_solarLoad = nullptr;
    QComboBox *m_wall = nullptr;
    NumberBox *m_wallLoad = nullptr;
    QComboBox *m_use = nullptr;
    NumberBox *m_c0 = nullptr;
    NumberBox *m_overhang = nullptr;
    NumberBox *m_pitch = nullptr;
    NumberBox *m_rise = nullptr;
    QLineEdit *m_source = nullptr;
    QWidget *m_unitLoadsBox = nullptr;
    std::array<NumberBox *, 9> m_unitLoads{};
    QPushButton *m_breakdown = nullptr;
};

// The method list's order (tool, loads, typed) and LwMethod.
LwMethod LwMethodAt(int index);
int LwMethodIndex(LwMethod method);

} // namespace quiren
