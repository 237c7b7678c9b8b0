#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

namespace quiren {

// The number entry window (frmNum, "軸組みの箇所数"): the number of places
// of a framing row picked with a spinner from 1 to 100.
//   OK      writes the number shown,
//   ｷｬﾝｾﾙ   leaves the cell as it was,
//   クリヤ   empties the cell.
class NumberEntryDialog : public QDialog {
    Q_OBJECT

public:
    enum class Choice { Ok, Cancel, Clear };

    // `cellText` is the text of the cell being edited; the window shows it,
    // or "1" when it is empty.
    explicit NumberEntryDialog(const QString &cellText, QWidget *owner = nullptr);

    // The number shown (labNum).
    QString shownNumber() const;
    Choice choice() const { return m_choice; }
    // The cell's text after the window closed.
    QString result() const;

    // Opens the window modal over `owner` and returns the cell's new text.
    static QString edit(QWidget *owner, const QString &cellText, Choice *choice = nullptr);

private:
    void choose(Choice choice);

    QString m_cellText;
    QLabel *m_number = nullptr;
    QSpinBox *m_spinner = nullptr;
    Choice m_choice = Choice::Cancel;
};

} // namespace quiren
