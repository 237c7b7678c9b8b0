#pragma once

#include "core/calc/CellInput.h"

#include <QLineEdit>

// A box for a number of the sheet (areas, heights, loads, side parts,
// columns). The text is checked when the user leaves the box or presses
// Enter, never on a keystroke, so "-", "." and "1." can be typed on the way
// to a number. A text the field cannot take is refused with a message that
// names the field and what it takes; the box keeps the typed text and the
// focus, so that it can be corrected, and nothing reaches the sheet. Enter
// moves on to the next field, Escape brings back what the sheet holds.
namespace quiren {

class NumberBox : public QLineEdit {
    Q_OBJECT

public:
    NumberBox(const QString &name, int widthTwips, QWidget *parent);

    // The name the message gives the box and what the box takes.
    void setField(const QString &field, NumberRule rule);
    QString field() const { return m_field; }

    // Shows a text without reporting it as an edit.
    void show(const QString &text);
    // Hands on the typed text as leaving the box does: false when it was
    // refused (the message has been shown).
    bool commit();

signals:
    // Every accepted change, the empty text included, as the sheet keeps it.
    void edited(const QString &text);

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_field;
    NumberRule m_rule = NumberRule::Any;
    QString m_shown;   // what the sheet holds
};

// Hands on whatever is being typed in `window` (a box or a grid cell left
// open), as leaving it would; the commands that read the sheet (save,
// print, undo) call it first.
void CommitTyping(QWidget *window);

} // namespace quiren
