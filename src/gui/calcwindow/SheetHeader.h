#pragma once

#include <QObject>

#include <array>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace quiren {

class SheetDocument;

// The inputs at the head of a calculation window: the project name
// (TitleName), the certified wall chosen for new rows (A_Wall), the storey
// count (F_num(0..2)) and the roof weight (WeightType(0..1)), with the rule
// set's name below them. It makes the controls inside `parent`, edits the
// document and tells the window what only the window can do (its pages).
class SheetHeader : public QObject {
    Q_OBJECT

public:
    SheetHeader(SheetDocument &document, QWidget *parent);

    // The controls laid out, for the window to place.
    QGridLayout *layout() const { return m_layout; }

    // The controls shown again from the sheet, without change reactions.
    void showSheet();
    // A_Wall filled from the certified-wall list; the first entry becomes the
    // sheet's certified wall ("未登録です", disabled, when the list is empty).
    void refillCertifiedWalls();
    // The controls of the sheet's rule set: no roof weight and no third
    // storey under the 2025 rules.
    void applyRuleLayout();
    // Focus moves to the project name (after a sort).
    void focusTitle();

signals:
    // The user chose storey count i + 1 (the sheet follows already).
    void storeyCountChosen(int i);
    void promptRequested(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onTitleEdited(const QString &text);
    void onStoreyCountChosen(int i);
    void onWeightTypeChosen(int i);
    void onWallChosen(int index);

    SheetDocument &m_document;
    bool m_showing = false;   // controls being filled from the sheet
    QGridLayout *m_layout = nullptr;
    QLineEdit *m_title = nullptr;
    QComboBox *m_wall = nullptr;
    std::array<QRadioButton *, 3> m_storeys{};
    std::array<QRadioButton *, 2> m_weights{};
    QGroupBox *m_weightFrame = nullptr;
    QLabel *m_rulesLabel = nullptr;
};

} // namespace quiren
