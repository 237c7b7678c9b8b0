#include "gui/widgets/ChoiceBox.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quiren {

namespace {

ChoiceResponder &responder()
{
    static ChoiceResponder r;
    return r;
}

} // namespace

std::optional<int> AskChoice(QWidget *parent, const ChoiceRequest &request)
{
    if (responder())
        return responder()(request);

    QDialog dialog(parent);
    dialog.setWindowTitle(request.title.isEmpty() ? QStringLiteral("Quiren") : request.title);
    auto *layout = new QVBoxLayout(&dialog);
    auto *text = new QLabel(request.text, &dialog);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto *choices = new QComboBox(&dialog);
    choices->setObjectName(QStringLiteral("cmbChoice"));
    choices->addItems(request.choices);
    choices->setCurrentIndex(request.chosen);
    text->setBuddy(choices);
    layout->addWidget(choices);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    choices->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return choices->currentIndex();
}

void SetChoiceResponder(ChoiceResponder r)
{
    responder() = std::move(r);
}

} // namespace quiren
