#include "gui/calcwindow/NumberBox.h"

#include "core/text/StringTable.h"
#include "gui/widgets/MessageBox.h"
#include "gui/widgets/NumberInput.h"
#include "gui/widgets/Twips.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

namespace quiren {

NumberBox::NumberBox(const QString &name, int widthTwips, QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(name);
    setAlignment(Qt::AlignRight);
    setFixedWidth(TwipsToPixelsX(widthTwips, parent));
    AcceptFullWidthDigits(this);
}

void NumberBox::setField(const QString &field, NumberRule rule)
{
    m_field = field;
    m_rule = rule;
}

void NumberBox::show(const QString &text)
{
    m_shown = text;
    setText(text);
}

namespace {

// A refusal is being told and the focus brought back to its box: another
// box that the focus leaves meanwhile waits until it is left again, so two
// refused boxes never pull the focus from each other.
bool telling = false;

} // namespace

bool NumberBox::commit()
{
    if (telling || text() == m_shown)
        return true;
    const TypedNumber typed = CheckTypedNumber(m_field, m_rule, text());
    if (!typed.usable) {
        telling = true;
        ShowMessage(window(), typed.message, MsgButtons::Ok, MsgIcon::Exclamation, Str(S::AppTitle));
        setFocus(Qt::OtherFocusReason);
        selectAll();
        telling = false;
        return false;
    }
    m_shown = typed.text;
    if (text() != m_shown)
        setText(m_shown);
    emit edited(m_shown);
    return true;
}

void NumberBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Leaving is the focus going to another field. A menu or another
    // program taking it for a moment is none, nor is the box going with its
    // window (the focus then goes nowhere).
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason
        && QApplication::focusWidget() && isVisible())
        commit();
}

void NumberBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (commit())
            focusNextChild();
        event->accept();
        return;
    case Qt::Key_Escape:
        if (text() != m_shown) {
            setText(m_shown);
            selectAll();
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
}

void CommitTyping(QWidget *window)
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus || !window || !window->isAncestorOf(focus))
        return;
    // Leaving the box or the open cell hands its text on; the focus comes
    // back where it was unless a refusal keeps it in the box.
    if (auto *box = qobject_cast<NumberBox *>(focus)) {
        box->commit();
        return;
    }
    for (QWidget *w = focus->parentWidget(); w && w != window; w = w->parentWidget()) {
        if (auto *view = qobject_cast<QAbstractItemView *>(w)) {
            view->setFocus(Qt::OtherFocusReason);   // the open cell's editor commits and closes
            return;
        }
    }
}

} // namespace quiren
