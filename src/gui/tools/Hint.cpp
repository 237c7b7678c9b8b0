#include "gui/tools/Hint.h"

#include "core/calc/Advice.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quiren {

frmHint::frmHint(const HintInput &input, QWidget *owner)
    : QDialog(owner), m_input(input)
{
    setObjectName(QStringLiteral("frmHint"));
    setWindowTitle(Str(S::AdviceTitle));
    setModal(true);

    Label1 = new QLabel(AdviceHeading(m_input.pageCaption), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont headingFont = Label1->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    headingFont.setBold(true);
    Label1->setFont(headingFont);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    const QStringList lengths = AdviceLengthTexts(m_input.module);
    for (int d = 0; d < 2; ++d) {
        QLabel *caption = new QLabel(m_input.directionCaptions[static_cast<size_t>(d)], this);
        caption->setObjectName(QStringLiteral("Lab2_%1").arg(d));
        QComboBox *list = new QComboBox(this);
        list->setObjectName(QStringLiteral("cmbLong_%1").arg(d));
        list->addItems(lengths);
        list->setMinimumContentsLength(6);
        QLabel *result = new QLabel(this);
        result->setObjectName(QStringLiteral("Lab2_%1").arg(d + 2));
        result->setMinimumWidth(result->fontMetrics().horizontalAdvance(Str(S::LengthSatisfied)) + 8);
        Lab2[static_cast<size_t>(d)] = caption;
        Lab2[static_cast<size_t>(d + 2)] = result;
        cmbLong[static_cast<size_t>(d)] = list;
        grid->addWidget(caption, d, 0);
        grid->addWidget(list, d, 1);
        grid->addWidget(result, d, 2);
    }

    Lab = new QLabel(Str(S::AdviceNote), this);
    Lab->setObjectName(QStringLiteral("Lab"));
    Cmd1 = new QPushButton(Str(S::Close), this);
    Cmd1->setObjectName(QStringLiteral("Cmd1"));
    Cmd1->setDefault(true);
    connect(Cmd1, &QPushButton::clicked, this, &QDialog::accept);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Lab);
    bottom->addStretch(1);
    bottom->addWidget(Cmd1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The first length of each list is chosen and evaluated at once; every
    // later choice evaluates its direction again.
    for (int d = 0; d < 2; ++d) {
        QComboBox *list = cmbLong[static_cast<size_t>(d)];
        list->setCurrentIndex(0);
        evaluate(d);
        connect(list, &QComboBox::currentIndexChanged, this, [this, d] { evaluate(d); });
    }
}

void frmHint::evaluate(int d)
{
    QComboBox *list = cmbLong[static_cast<size_t>(d)];
    const AdviceResult result = EvaluateAdvice(m_input.row, d, TextSingle(list->currentText()));
    Lab2[static_cast<size_t>(d + 2)]->setText(result.text);
    // A disabled list stays disabled while the window is open.
    if (!result.listEnabled)
        list->setEnabled(false);
}

void ShowHint(QWidget *owner, const HintInput *input)
{
    if (input == nullptr)
        return;
    frmHint window(*input, owner);
    window.exec();
}

} // namespace quiren
