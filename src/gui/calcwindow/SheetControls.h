#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace quiren {

class NumberBox;

// The small controls the header and the storey pages are made of.

// A computed value shown in a sunken box (coefficients, requirements). The
// box keeps its width whatever the value, so that a huge area cannot push
// the rest of the window aside; see ShowValue().
QLabel *ValueLabel(const QString &name, const QString &text, int widthTwips, QWidget *parent);

// Puts a value into its box. A text too long for the box is cut with "…",
// never clipped silently (a clipped "…0000.0000" would read as a small
// number); the whole text is in the tool tip.
void ShowValue(QLabel *label, const QString &text);

// An area typed in m², right-aligned, taking full-width digits; `field`
// names it in the message refusing a negative or non-numeric area.
NumberBox *AreaBox(const QString &name, const QString &field, QWidget *parent);

} // namespace quiren
