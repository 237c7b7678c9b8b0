#include "gui/widgets/Captions.h"

#include "core/text/StringTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QToolBar>
#include <QVariant>

namespace quiren {

namespace {

// The string of a number given as exact text ("1100"), or nothing.
bool exactString(const QString &text, QString &out)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok || !HasStr(number))
        return false;
    out = Str(number);
    return true;
}

bool leadingString(const QString &text, QString &out)
{
    const int number = LeadingNumber(text);
    if (number <= 0 || !HasStr(number))
        return false;
    out = Str(number);
    return true;
}

QString tagOf(const QObject *control)
{
    return control->property(TagProperty).toString();
}

void loadControl(QObject *control)
{
    QString text;
    if (auto *label = qobject_cast<QLabel *>(control)) {
        if (exactString(tagOf(label), text))
            label->setText(text);
    } else if (auto *frame = qobject_cast<QGroupBox *>(control)) {
        if (exactString(tagOf(frame), text))
            frame->setTitle(text);
    } else if (auto *option = qobject_cast<QRadioButton *>(control)) {
        if (exactString(tagOf(option), text))
            option->setText(text);
    } else if (auto *bar = qobject_cast<QToolBar *>(control)) {
        for (QAction *button : bar->actions()) {
            if (!button->isSeparator() && exactString(button->toolTip(), text))
                button->setToolTip(text);
        }
    } else if (auto *item = qobject_cast<QAction *>(control)) {
        // Menu items, and the menu titles through their menu actions.
        if (!item->isSeparator() && exactString(item->text(), text))
            item->setText(text);
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        if (leadingString(tagOf(button), text))
            button->setText(text);
        if (leadingString(button->toolTip(), text))
            button->setToolTip(text);
    } else if (auto *widget = qobject_cast<QWidget *>(control)) {
        // Other controls have no caption of their own; a numbered tool-tip
        // is still filled.
        if (leadingString(widget->toolTip(), text))
            widget->setToolTip(text);
    }
}

} // namespace

void SetTag(QObject *control, int number)
{
    control->setProperty(TagProperty, QString::number(number));
}

int LeadingNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    while (i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > 1000000000)
            break;
        ++i;
    }
    return static_cast<int>(negative ? -value : value);
}

void LoadCaptions(QWidget *window)
{
    if (!window)
        return;
    loadControl(window);
    const QList<QObject *> controls = window->findChildren<QObject *>();
    for (QObject *control : controls)
        loadControl(control);
}

} // namespace quiren
