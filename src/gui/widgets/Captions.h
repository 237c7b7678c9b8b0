#pragma once

class QObject;
class QWidget;
class QString;

// Windows are built with string numbers where their texts go; LoadCaptions
// puts the texts of the string table in their place when a window loads.
//
// Where a control keeps its number:
//   label (QLabel), frame (QGroupBox), option button (QRadioButton): its tag;
//   menu item (QAction in a menu, QMenu): its caption (the action's text);
//   tool bar (QToolBar): each button's tool-tip;
//   any other button or check box: its tag and/or its tool-tip.
// The tag is the dynamic property "tag" (text), set with SetTag().
namespace quiren {

inline constexpr char TagProperty[] = "tag";

void SetTag(QObject *control, int number);

// Replaces the numbers of every control of `window` (the window itself
// included) by their strings. A control whose number is missing, empty, not
// a number or not in the table keeps its text; nothing is ever reported.
void LoadCaptions(QWidget *window);

// The leading numeric value of a text, as the old BASIC Val() reads it:
// "1251" and "1251abc" give 1251, "", "abc" and "-" give 0.
int LeadingNumber(const QString &text);

} // namespace quiren
