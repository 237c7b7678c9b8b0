#include "gui/calcwindow/SheetControls.h"

#include "gui/calcwindow/NumberBox.h"

#include "gui/widgets/Captions.h"
#include "gui/widgets/NumberInput.h"
#include "gui/widgets/Twips.h"
#include "gui/widgets/WidgetSupport.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace quiren {

QLabel *ValueLabel(const QString &name, const QString &text, int widthTwips, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int room = label->fontMetrics().horizontalAdvance(QStringLiteral("000000.0000"));
    label->setFixedWidth(std::max(TwipsToPixelsX(widthTwips, parent),
                                  room + 2 * label->frameWidth() + 4));
    return label;
}

void ShowValue(QLabel *label, const QString &text)
{
    const int room = label->contentsRect().width() - 4;
    const QString shown = label->fontMetrics().elidedText(text, Qt::ElideRight, room);
    label->setText(shown);
    label->setToolTip(shown == text ? QString() : text);
}

NumberBox *AreaBox(const QString &name, const QString &field, QWidget *parent)
{
    auto *box = new NumberBox(name, 1000, parent);
    box->setField(field, NumberRule::NotNegative);
    return box;
}

} // namespace quiren
