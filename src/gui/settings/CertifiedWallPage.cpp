#include "gui/settings/CertifiedWallPage.h"

#include "core/text/Cp932.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"
#include "gui/widgets/Captions.h"
#include "gui/widgets/MessageBox.h"
#include "gui/widgets/NumberInput.h"

#include <QDir>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quiren {

namespace {

constexpr int NameBytesInFrame = 16;

} // namespace

bool CertifiedWallPage::nameFitsPrintFrame(const QString &name)
{
    return ToCp932(name).size() <= NameBytesInFrame;
}

void CertifiedWallPage::load(const CertifiedWallList &walls)
{
    m_working = walls;
    refreshWallList();
    for (QPushButton *button : m_wallRegst)
        button->setEnabled(false);
}

CertifiedWallPage::CertifiedWallPage(const QString &listPath, QWidget *parent)
    : QWidget(parent)
{
    m_captionNewRegister = Str(S::NewRegistration);
    m_captionEdit = Str(S::Edit);
    m_captionAddRegister = Str(S::AddRegistration);
    m_captionReregister = Str(S::Reregister);

    QWidget *page = this;
    auto *frame = Named(Numbered(new QGroupBox(page), S::CertifiedWallRegistration), QStringLiteral("AuthorizationFrm"));
    m_authorizationList = Named(new QListWidget(frame), QStringLiteral("AuthorizationList"));
    m_authorizationList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_authorizationList->setMinimumHeight(160);
    for (int i = 0; i < 2; ++i) {
        m_authorizationText[i] = Named(new QLineEdit(frame), Indexed("AuthorizationText", i));
        m_authorizationText[i]->installEventFilter(this);
    }
    m_authorizationText[1]->setMaximumWidth(120);
    AcceptFullWidthDigits(m_authorizationText[1]);

    const int captions[3] = {S::RegisterWall, S::EditWall, S::DeleteWall};
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (int i = 0; i < 3; ++i) {
        m_wallRegst[i] = Named(Numbered(new QPushButton(frame), captions[i]), Indexed("WallRegst", i));
        m_wallRegst[i]->setAutoDefault(false);
        buttons->addWidget(m_wallRegst[i]);
    }

    auto *form = new QFormLayout;
    form->addRow(NumberedLabel(S::WallNameToRegister, frame), m_authorizationText[0]);
    form->addRow(NumberedLabel(S::WallMultiplier, frame), m_authorizationText[1]);

    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(NumberedLabel(S::RegisteredWalls, frame));
    frameLayout->addWidget(m_authorizationList, 1);
    // Installed, the list is the user's own file, not the one beside the
    // program: say which file Apply writes.
    auto *keptIn = new QLabel(Str(S::WallListKeptIn).arg(QDir::toNativeSeparators(listPath)),
                              frame);
    keptIn->setObjectName(QStringLiteral("WallListLocation"));
    keptIn->setWordWrap(true);
    keptIn->setTextInteractionFlags(Qt::TextSelectableByMouse);
    frameLayout->addWidget(keptIn);
    frameLayout->addLayout(form);
    frameLayout->addLayout(buttons);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(frame);

    connect(m_authorizationText[0], &QLineEdit::textChanged, this, [this] { onWallTextChanged(false); });
    connect(m_authorizationText[1], &QLineEdit::textChanged, this, [this] { onWallTextChanged(true); });
    connect(m_authorizationList, &QListWidget::itemClicked, this, [this] { onWallListClicked(); });
    connect(m_authorizationList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && !m_updatingWallList)
            onWallListClicked();
    });
    connect(m_wallRegst[0], &QPushButton::clicked, this, &CertifiedWallPage::onRegister);
    connect(m_wallRegst[1], &QPushButton::clicked, this, &CertifiedWallPage::onEditOrReregister);
    connect(m_wallRegst[2], &QPushButton::clicked, this, &CertifiedWallPage::onDelete);
}

void CertifiedWallPage::refreshWallList()
{
    m_updatingWallList = true;
    m_authorizationList->clear();
    for (const CertifiedWall &wall : m_working)
        m_authorizationList->addItem(wall.displayLine);
    m_authorizationList->setCurrentRow(-1);
    m_updatingWallList = false;
}

bool CertifiedWallPage::multiplierRegistrable()
{
    // The sheet uses a certified multiplier exactly as registered, and the
    // wall file refuses any other value on reading: one outside the range
    // is not let into the list.
    if (IsCertifiedMultiplier(TextValue(m_authorizationText[1]->text())))
        return true;
    ShowMessage(this, Str(S::InvalidNumber), MsgButtons::Ok, MsgIcon::Exclamation);
    m_authorizationText[1]->setFocus();
    return false;
}

bool CertifiedWallPage::bothWallBoxesFilled() const
{
    return !m_authorizationText[0]->text().isEmpty() && !m_authorizationText[1]->text().isEmpty();
}

void CertifiedWallPage::onWallTextChanged(bool multiplierBox)
{
    // The multiplier is checked as it is typed. A change of the name box
    // leaves the multiplier as it was, so it is not checked (and warned
    // about) again.
    const QString multiplier = m_authorizationText[1]->text();
    if (multiplierBox && !multiplier.isEmpty()) {
        if (!IsSingleNumber(multiplier)) {
            ShowMessage(this, Str(S::EnterSingleNumber), MsgButtons::Ok, MsgIcon::Exclamation);
            m_authorizationText[1]->clear();
        } else {
            // Greater than 0, at most 5, two decimals at most: the value
            // stays in the box to be corrected, and is refused on register.
            if (!IsCertifiedMultiplier(TextValue(multiplier)))
                ShowMessage(this, Str(S::InvalidNumber), MsgButtons::Ok, MsgIcon::Exclamation);
        }
    }
    m_wallRegst[0]->setEnabled(bothWallBoxesFilled());
}

void CertifiedWallPage::onWallBoxClicked()
{
    if (m_wallRegst[1]->text() != m_captionEdit) {
        m_wallRegst[1]->setEnabled(true);
    } else {
        m_wallRegst[0]->setEnabled(bothWallBoxesFilled());
        m_wallRegst[1]->setEnabled(false);
    }
}

void CertifiedWallPage::onWallListClicked()
{
    if (m_authorizationList->currentRow() < 0)
        return;
    m_wallRegst[0]->setText(m_captionNewRegister);
    m_wallRegst[1]->setText(m_captionEdit);
    m_wallRegst[1]->setEnabled(true);
    m_wallRegst[2]->setEnabled(true);
    m_authorizationText[0]->clear();
    m_authorizationText[1]->clear();
    m_wallRegst[0]->setEnabled(false);
}

bool CertifiedWallPage::confirmWallName()
{
    if (nameFitsPrintFrame(m_authorizationText[0]->text()))
        return true;
    const MsgAnswer answer = ShowMessage(this, Str(S::TextTooLongToPrint) + QLatin1Char('\n') + Str(S::ConfirmContinue),
                                         MsgButtons::OkCancel, MsgIcon::Exclamation);
    if (answer == MsgAnswer::Ok)
        return true;
    m_authorizationText[0]->setFocus();
    return false;
}

void CertifiedWallPage::onRegister()
{
    if (!bothWallBoxesFilled())
        return;
    if (m_working.size() >= MaxCertifiedWalls) {
        ShowMessage(this, Str(S::WallListFull), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    if (!multiplierRegistrable() || !confirmWallName())
        return;
    CertifiedWall wall;
    wall.name = m_authorizationText[0]->text();
    wall.multiplier = TextSingle(m_authorizationText[1]->text());
    wall.displayLine = wall.name + Str(S::MultiplierSeparator) + m_authorizationText[1]->text();
    m_working.append(wall);
    m_updatingWallList = true;
    m_authorizationList->addItem(wall.displayLine);
    m_updatingWallList = false;
    m_wallRegst[0]->setEnabled(false);
    m_wallRegst[1]->setEnabled(false);
}

void CertifiedWallPage::onEditOrReregister()
{
    const int row = m_authorizationList->currentRow();
    if (row < 0 || row >= m_working.size())
        return;

    if (m_wallRegst[1]->text() == m_captionEdit) {
        const CertifiedWall &wall = m_working[row];
        m_authorizationText[0]->setText(wall.name);
        m_authorizationText[1]->setText(SingleText(wall.multiplier));
        m_wallRegst[0]->setText(m_captionAddRegister);
        m_wallRegst[1]->setText(m_captionReregister);
        m_wallRegst[2]->setEnabled(false);
        return;
    }

    if (!bothWallBoxesFilled() || !multiplierRegistrable() || !confirmWallName())
        return;
    m_working[row].name = m_authorizationText[0]->text();
    m_working[row].multiplier = TextSingle(m_authorizationText[1]->text());
    m_wallRegst[0]->setEnabled(false);
    m_wallRegst[1]->setEnabled(false);
    for (CertifiedWall &wall : m_working)
        wall.displayLine = WallDisplayLine(wall.name, wall.multiplier);
    refreshWallList();
    m_authorizationText[0]->clear();
    m_authorizationText[1]->clear();
    m_wallRegst[0]->setText(m_captionNewRegister);
    m_wallRegst[1]->setText(m_captionEdit);
    m_wallRegst[0]->setEnabled(false);
}

void CertifiedWallPage::onDelete()
{
    // Calculation files keep their certified wall by its position in the
    // list, so removing one shifts what older files refer to: ask first.
    const MsgAnswer answer = ShowMessage(
        this, Str(S::DeleteWallAffectsSaved) + QLatin1Char('\n') + Str(S::DeleteWallAffectsSheets) + QLatin1Char('\n') + Str(S::DeleteWallConfirm),
        MsgButtons::OkCancel, MsgIcon::Exclamation);
    if (answer == MsgAnswer::Ok) {
        const int row = m_authorizationList->currentRow();
        if (row >= 0 && row < m_working.size()) {
            m_working.removeAt(row);
            m_updatingWallList = true;
            delete m_authorizationList->takeItem(row);
            m_authorizationList->setCurrentRow(-1);
            m_authorizationList->clearSelection();
            m_updatingWallList = false;
            m_wallRegst[1]->setEnabled(false);
        }
    }
    m_wallRegst[2]->setEnabled(m_authorizationList->currentRow() >= 0 && !m_working.isEmpty());
}

bool CertifiedWallPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress
        && (watched == m_authorizationText[0] || watched == m_authorizationText[1]))
        onWallBoxClicked();
    return QWidget::eventFilter(watched, event);
}

} // namespace quiren
