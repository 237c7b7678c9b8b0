#include "gui/tools/NumberEntry.h"

#include "core/text/StringTable.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QPushButton>
#include <QSpinBox>

namespace quiren {

NumberEntryDialog::NumberEntryDialog(const QString &cellText, QWidget *owner)
    : QDialog(owner)
    , m_cellText(cellText)
{
    setObjectName(QStringLiteral("frmNum"));
    setWindowTitle(Str(S::PlaceCountTitle));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_number = new QLabel(this);
    m_number->setObjectName(QStringLiteral("labNum"));
    m_number->setFrameShape(QFrame::Panel);
    m_number->setFrameShadow(QFrame::Sunken);
    m_number->setAlignment(Qt::AlignCenter);
    m_number->setMinimumWidth(m_number->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    QFont big = m_number->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    m_number->setFont(big);
    const QString shown = cellText.trimmed().isEmpty() ? QStringLiteral("1") : cellText.trimmed();
    m_number->setText(shown);

    m_spinner = new QSpinBox(this);
    m_spinner->setObjectName(QStringLiteral("udNum"));
    m_spinner->setRange(1, 100);
    m_spinner->setSingleStep(1);
    m_spinner->setWrapping(false);
    bool ok = false;
    const int start = shown.toInt(&ok);
    m_spinner->setValue(ok ? start : 1);
    m_spinner->setAccelerated(true);
    // Only the spinner's arrows show; the number is the label's.
    if (auto *text = m_spinner->findChild<QLineEdit *>())
        text->hide();
    m_spinner->setFixedSize(m_spinner->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_spinner) + 6,
                            m_number->sizeHint().height());
    // The spinner's arrows drive the number shown; typing goes to it as well.
    connect(m_spinner, &QSpinBox::valueChanged, this,
            [this](int value) { m_number->setText(QString::number(value)); });

    auto *okButton = new QPushButton(Str(S::Ok), this);
    okButton->setObjectName(QStringLiteral("cmdOK(0)"));
    okButton->setDefault(true);
    auto *cancelButton = new QPushButton(Str(S::Cancel), this);
    cancelButton->setObjectName(QStringLiteral("cmdOK(1)"));
    auto *clearButton = new QPushButton(Str(S::Clear), this);
    clearButton->setObjectName(QStringLiteral("cmdOK(2)"));
    connect(okButton, &QPushButton::clicked, this, [this] { choose(Choice::Ok); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { choose(Choice::Cancel); });
    connect(clearButton, &QPushButton::clicked, this, [this] { choose(Choice::Clear); });

    auto *layout = new QGridLayout(this);
    auto *numberRow = new QHBoxLayout;
    numberRow->setSpacing(0);
    numberRow->addStretch(1);
    numberRow->addWidget(m_number);
    numberRow->addWidget(m_spinner);
    numberRow->addStretch(1);
    layout->addLayout(numberRow, 0, 0, 1, 2);
    layout->addWidget(okButton, 1, 0, 1, 2);
    layout->addWidget(cancelButton, 2, 0, 1, 2);
    layout->addWidget(clearButton, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_spinner->setFocus();
}

QString NumberEntryDialog::shownNumber() const
{
    return m_number->text();
}

QString NumberEntryDialog::result() const
{
    switch (m_choice) {
    case Choice::Ok: return shownNumber();
    case Choice::Clear: return QString();
    case Choice::Cancel: break;
    }
    return m_cellText;
}

void NumberEntryDialog::choose(Choice choice)
{
    m_choice = choice;
    if (choice == Choice::Cancel)
        reject();
    else
        accept();
}

QString NumberEntryDialog::Edit(QWidget *owner, const QString &cellText, Choice *choice)
{
    NumberEntryDialog dialog(cellText, owner);
    dialog.exec();
    if (choice)
        *choice = dialog.choice();
    return dialog.result();
}

} // namespace quiren
