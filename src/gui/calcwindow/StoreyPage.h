#pragma once

#include "core/calc/CalcSheet.h"

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

namespace quiren {

class FramingGrid;
class NumberBox;
class QuasiWallGrid;
class SheetDocument;
class Storey2025Panel;

// The direction captions of the grids' headings in a naming style.
std::array<QString, 2> GridDirectionCaptions(bool pafKind);

// One storey's page of the calculation window (TSPage(s)): the floor and
// projected-area lines with their requirements, the framing grid, the
// buttons of the checks with their views (CheckViews.h), and under the
// 2025 rules the storey's inputs and quasi-bearing wall grid. It edits the
// document and follows its signals; the window only places it.
//
// Controls keep their names: txtFloorDimensions(s), Ftimes(s),
// FloorNecessaryLong(s), txtWallDimensions(w), Wtimes(w),
// WallNecessaryLong(w), FSLabel(s), HMLabel(s), KMLabel(s), cmdBalance(s),
// cmdColumns(s), cmdJoints(s).
class StoreyPage : public QWidget {
    Q_OBJECT

public:
    StoreyPage(SheetDocument &document, int storey, QWidget *parent = nullptr);

    int storey() const { return m_storey; }
    FramingGrid *framingGrid() const { return m_framing; }
    // The view of a check (CheckView), made when first asked for.
    QWidget *checkView(int kind);
    // Null until the sheet comes under the 2025 rules (and on the third storey).
    Storey2025Panel *storey2025Panel() const { return m_storey2025; }
    QuasiWallGrid *quasiGrid() const { return m_quasi; }

    // Where the framing grid learns whether lengths are entered from a list.
    void setListInputSource(std::function<bool()> source);

    // The inputs shown again from the sheet, without change reactions.
    void showInputs();
    // The lines and parts of the sheet's rule set.
    void applyRuleLayout();
    void setDirectionCaptions(bool pafKind);
    // The requirements and the verdicts beside the buttons, from the sheet.
    void refreshNumbers();

signals:
    // A prompt for panel 1 of the status bar.
    void promptRequested(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildCheckButtons(QGridLayout *lines);
    void openCheck(int kind, bool on);
    void build2025Parts();
    void refreshVerdicts();
    void onFloorAreaChanged(const QString &text);
    void onWallAreaChanged(int d, const QString &text);

    SheetDocument &m_document;
    CalcSheet &m_sheet;
    int m_storey;
    bool m_showing = false;   // boxes being filled from the sheet

    QVBoxLayout *m_layout = nullptr;
    NumberBox *m_floorBox = nullptr;
    QLabel *m_floorTimes = nullptr;
    QLabel *m_floorNeeded = nullptr;
    QList<QWidget *> m_floorLineParts;   // give way to the Af and Lw lines under the 2025 rules
    std::array<QLabel *, 2> m_areaLabels{};   // HMLabel, KMLabel
    std::array<NumberBox *, 2> m_wallBoxes{};
    std::array<QLabel *, 2> m_wallTimes{};
    std::array<QLabel *, 2> m_wallNeeded{};
    FramingGrid *m_framing = nullptr;
    QStackedWidget *m_views = nullptr;   // the framing grid, then one per check
    std::vector<QPushButton *> m_checkButtons;
    std::vector<QVBoxLayout *> m_checkLayouts;   // where each check's view goes
    std::vector<QWidget *> m_checkViews;         // made on first use
    std::vector<QLabel *> m_checkVerdicts;       // beside their buttons, or null
    Storey2025Panel *m_storey2025 = nullptr;
    QLabel *m_quasiTitle = nullptr;
    QuasiWallGrid *m_quasi = nullptr;
    bool m_pafKind = false;   // the direction captions' kind, for views made later
};

} // namespace quiren
