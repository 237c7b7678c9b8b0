#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QString>

#include <type_traits>

class QObject;
class QWidget;

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

// A control designed with its string number as its text and tag; the
// window's LoadCaptions replaces the number by the text.
template <typename T>
T *Numbered(T *control, int number)
{
    SetTag(control, number);
    if constexpr (std::is_base_of_v<QGroupBox, T>)
        control->setTitle(QString::number(number));
    else
        control->setText(QString::number(number));
    return control;
}

// A label that receives its text from the string table at load.
inline QLabel *NumberedLabel(int number, QWidget *parent, const QString &name = QString())
{
    auto *label = new QLabel(parent);
    Numbered(label, number);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

template <typename T>
T *Named(T *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

// "name_index", the object name of one of a designed array of controls.
inline QString Indexed(const char *name, int index)
{
    return QLatin1String(name) + QLatin1Char('_') + QString::number(index);
}

} // namespace quiren
