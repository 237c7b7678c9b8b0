#include "gui/tools/NumberEntry.h"

#include "core/calc/CalcSheet.h"
#include "core/calc/CellInput.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"
#include "gui/widgets/MessageBox.h"
#include "gui/widgets/NumberInput.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QPushButton>
#include <QSpinBox>

#include <functional>

namespace quiren {

namespace {

// The spinner's arrows stay within 1 to 100, but a number typed into it is
// kept as typed ("100000", "-3"), to be checked on OK: clamping it to the
// range would write another number than the one typed without a word.
class PlacesSpinBox : public NumberSpinBox {
public:
    using NumberSpinBox::NumberSpinBox;

    // The arrows, the wheel and the page keys step the number; when typed
    // text is given up (Enter, leaving the spinner) the spinner goes back to
    // its own value, which must not replace the number shown.
    std::function<void(int)> onStepped;
    void stepBy(int steps) override
    {
        NumberSpinBox::stepBy(steps);
        if (onStepped)
            onStepped(value());
    }

protected:
    QValidator::State validate(QString &input, int &pos) const override
    {
        const QValidator::State state = NumberSpinBox::validate(input, pos);
        return state == QValidator::Invalid ? QValidator::Intermediate : state;
    }
};

} // namespace

NumberEntryDialog::NumberEntryDialog(const QString &cellText, QWidget *owner)
    : QDialog(owner)
    , m_cellText(cellText)
{
    setObjectName(QStringLiteral("frmNum"));
    setWindowTitle(Str(S::PlaceCountTitle));
    // A dialog's frame: a caption and a close button, nothing to minimise or
    // maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);

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

    auto *spinner = new PlacesSpinBox(this);
    m_spinner = spinner;
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
    spinner->onStepped = [this](int value) { m_number->setText(QString::number(value)); };
    if (auto *text = m_spinner->findChild<QLineEdit *>()) {
        connect(text, &QLineEdit::textEdited, this,
                [this](const QString &typed) { m_number->setText(HalfWidthNumber(typed).trimmed()); });
    }

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
    // Wide enough for the caption to be read beside the frame's icon and
    // buttons (window managers write captions in a larger, bold font).
    QFont captionFont = font();
    captionFont.setBold(true);
    captionFont.setPointSizeF(captionFont.pointSizeF() * 1.25);
    const int caption = QFontMetrics(captionFont).horizontalAdvance(windowTitle());
    layout->setColumnMinimumWidth(0, caption + 6 * fontMetrics().height());
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
    if (choice == Choice::Ok) {
        // What OK writes is checked as a typed places cell is: a number
        // that is not a whole count from 0 to 32767 is refused and the
        // window stays open.
        const CellReading reading = ReadPlacesText(shownNumber());
        if (reading.verdict == CellVerdict::NotANumber || reading.verdict == CellVerdict::Invalid) {
            ShowMessage(this, NumberRefusal(Str(S::FramingColumnHeaders + ColPlaces0), NumberRule::Places),
                        MsgButtons::Ok, MsgIcon::Exclamation, Str(S::AppTitle));
            return;
        }
        if (reading.verdict == CellVerdict::Taken)
            m_number->setText(reading.text);
    }
    m_choice = choice;
    if (choice == Choice::Cancel)
        reject();
    else
        accept();
}

QString NumberEntryDialog::edit(QWidget *owner, const QString &cellText, Choice *choice)
{
    NumberEntryDialog dialog(cellText, owner);
    dialog.exec();
    if (choice)
        *choice = dialog.choice();
    return dialog.result();
}

} // namespace quiren
