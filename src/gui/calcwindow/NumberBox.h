#pragma once

#include <QLineEdit>

// A box for a number of the 2025 inputs (heights, areas, loads). It checks
// the text as it is typed, as the area boxes do: a text that is not a
// number is refused with the program's message and the box is emptied.
// `edited` carries every accepted text, the empty one included.
namespace quiren {

class NumberBox : public QLineEdit {
    Q_OBJECT

public:
    NumberBox(const QString &name, int widthTwips, QWidget *parent);

    // Shows a text without reporting it as an edit.
    void show(const QString &text);

signals:
    void edited(const QString &text);

private:
    void onTextChanged(const QString &text);

    bool m_showing = false;
    bool m_telling = false;
};

} // namespace quiren
