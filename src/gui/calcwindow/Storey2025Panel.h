#pragma once

#include "core/calc/CalcSheet.h"

#include <QWidget>

class QLabel;

namespace quiren {

class NumberBox;

// The lines a storey page adds under the 2025 rules: the storey height and
// the distance between horizontal members, a loft store (its area and
// average and highest inner heights), a typed
// Lw where the sheet takes one; then the floor area Af the weight is spread
// over and the seismic requirement, each with the figures it is made of.
class Storey2025Panel : public QWidget {
    Q_OBJECT

public:
    Storey2025Panel(CalcSheet &sheet, int storey, QWidget *parent);

    void showSheet();
    // The derived lines again (Af, Lw, the requirement, the notes).
    void refreshNumbers();

    // The Af and seismic lines as shown (for tests and the status bar).
    QString afText() const;
    QString seismicText() const;

signals:
    void edited();
    void focused();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    NumberBox *box(const char *name, const QString &caption, QString *field, int widthTwips = 700);

    CalcSheet &m_sheet;
    int m_storey;
    bool m_showing = false;
    NumberBox *m_height = nullptr;
    NumberBox *m_memberDistance = nullptr;
    NumberBox *m_loftArea = nullptr;
    NumberBox *m_loftHeight = nullptr;
    NumberBox *m_loftMaxHeight = nullptr;
    NumberBox *m_typedLw = nullptr;
    QLabel *m_typedLwLabel = nullptr;
    QLabel *m_af = nullptr;
    QLabel *m_seismic = nullptr;
    QLabel *m_notes = nullptr;
};

// Where the sheet's Lw comes from, as the storey line and the sheet say it:
// the method, or the typed source.
QString LwSourceText(const CalcSheet &sheet);

} // namespace quiren
