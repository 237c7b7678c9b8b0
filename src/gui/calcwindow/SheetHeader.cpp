#include "gui/calcwindow/SheetHeader.h"

#include "core/text/StringTable.h"
#include "gui/calcwindow/EditPrompts.h"
#include "gui/calcwindow/SheetControls.h"
#include "gui/calcwindow/SheetDocument.h"
#include "gui/widgets/Captions.h"
#include "gui/widgets/WidgetSupport.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quiren {

SheetHeader::SheetHeader(SheetDocument &document, QWidget *parent)
    : QObject(parent)
    , m_document(document)
{
    // Project name and certified wall.
    auto *titleLabel = NumberedLabel(S::ProjectName, parent, QStringLiteral("Label1"));
    m_title = new QLineEdit(parent);
    m_title->setObjectName(QStringLiteral("TitleName"));
    titleLabel->setBuddy(m_title);
    auto *wallLabel = NumberedLabel(S::CertifiedWallChoice, parent, QStringLiteral("Label5"));
    m_wall = new QComboBox(parent);
    m_wall->setObjectName(QStringLiteral("A_Wall"));
    m_wall->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_wall->setMinimumContentsLength(16);
    wallLabel->setBuddy(m_wall);

    // Storey count and weight type.
    auto *storeyFrame = new QGroupBox(QString::number(S::Storeys), parent);
    storeyFrame->setObjectName(QStringLiteral("Frame1"));
    SetTag(storeyFrame, S::Storeys);
    auto *storeyLayout = new QVBoxLayout(storeyFrame);
    storeyLayout->setSpacing(2);
    for (int i = 0; i < 3; ++i) {
        m_storeys[i] = new QRadioButton(QString::number(S::StoreyChoices + i), storeyFrame);
        m_storeys[i]->setObjectName(IndexedName("F_num", i));
        SetTag(m_storeys[i], S::StoreyChoices + i);
        storeyLayout->addWidget(m_storeys[i]);
        connect(m_storeys[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                onStoreyCountChosen(i);
        });
        m_storeys[i]->installEventFilter(this);
    }
    m_weightFrame = new QGroupBox(QString::number(S::RoofWeight), parent);
    m_weightFrame->setObjectName(QStringLiteral("Frame2"));
    SetTag(m_weightFrame, S::RoofWeight);
    auto *weightLayout = new QVBoxLayout(m_weightFrame);
    weightLayout->setSpacing(2);
    for (int i = 0; i < 2; ++i) {
        m_weights[i] = new QRadioButton(QString::number(S::WeightChoices + i), m_weightFrame);
        m_weights[i]->setObjectName(IndexedName("WeightType", i));
        SetTag(m_weights[i], S::WeightChoices + i);
        weightLayout->addWidget(m_weights[i]);
        connect(m_weights[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                onWeightTypeChosen(i);
        });
        m_weights[i]->installEventFilter(this);
    }
    weightLayout->addStretch(1);

    connect(m_title, &QLineEdit::textChanged, this, &SheetHeader::onTitleEdited);
    m_title->installEventFilter(this);
    connect(m_wall, &QComboBox::currentIndexChanged, this, &SheetHeader::onWallChosen);
    m_wall->installEventFilter(this);

    m_layout = new QGridLayout;
    m_layout->setHorizontalSpacing(6);
    m_layout->setVerticalSpacing(4);
    m_layout->addWidget(titleLabel, 0, 0);
    m_layout->addWidget(m_title, 0, 1);
    m_layout->addWidget(wallLabel, 1, 0, 1, 2);
    m_layout->addWidget(m_wall, 2, 0, 1, 2);
    auto *frames = new QHBoxLayout;
    frames->addWidget(storeyFrame, 1);
    frames->addWidget(m_weightFrame, 1);
    m_layout->addLayout(frames, 3, 0, 1, 2);
    m_rulesLabel = new QLabel(parent);
    m_rulesLabel->setObjectName(QStringLiteral("RulesLabel"));
    m_layout->addWidget(m_rulesLabel, 4, 0, 1, 2);
}

void SheetHeader::showSheet()
{
    const CalcSheet &sheet = m_document.sheet();
    m_showing = true;
    m_title->setText(sheet.titleName);
    // A file may store -1: no wall chosen, and the choice shows none.
    if (sheet.certifiedChoice < m_wall->count())
        m_wall->setCurrentIndex(std::max(sheet.certifiedChoice, -1));
    m_storeys[sheet.storeyIndex]->setChecked(true);
    m_weights[sheet.weightType]->setChecked(true);
    m_showing = false;
}

void SheetHeader::refillCertifiedWalls()
{
    CalcSheet &sheet = m_document.sheet();
    m_showing = true;
    m_wall->clear();
    const CertifiedWallList &walls = m_document.walls();
    if (walls.isEmpty()) {
        m_wall->addItem(Str(S::NotRegistered));
        m_wall->setEnabled(false);
    } else {
        for (const CertifiedWall &wall : walls)
            m_wall->addItem(wall.displayLine.isEmpty() ? WallDisplayLine(wall.name, wall.multiplier)
                                                       : wall.displayLine);
        m_wall->setEnabled(true);
    }
    m_wall->setCurrentIndex(0);
    sheet.certifiedChoice = 0;
    m_showing = false;
}

void SheetHeader::applyRuleLayout()
{
    const RuleSetKind kind = m_document.ruleSetKind();
    const bool rules2025 = kind == RuleSetKind::Rules2025;
    m_rulesLabel->setText(Str(S::RulesCaption) + RuleSetName(kind));
    m_weightFrame->setVisible(!rules2025);
    // A three-storey building is outside the 2025 rules.
    m_storeys[2]->setVisible(!rules2025);
}

void SheetHeader::focusTitle()
{
    m_title->setFocus();
}

void SheetHeader::onTitleEdited(const QString &text)
{
    if (m_showing)
        return;
    const QString kept = WithoutDoubleQuotes(text);
    if (kept != text) {
        const int cursor = m_title->cursorPosition();
        m_title->setText(kept);   // comes back here with the kept text
        m_title->setCursorPosition(cursor);
        return;
    }
    m_document.sheet().titleName = text;
    m_document.markChanged();
}

void SheetHeader::onStoreyCountChosen(int i)
{
    if (m_showing)
        return;
    // The storey count, the weight and the wall choice are saved with the
    // sheet, so changing one of them alone must not be lost on closing.
    CalcSheet &sheet = m_document.sheet();
    const bool differs = sheet.storeyIndex != i;
    sheet.SetStoreyIndex(i);
    emit storeyCountChosen(i);
    m_document.tellRecalculated();
    if (differs)
        m_document.markChanged();
}

void SheetHeader::onWeightTypeChosen(int i)
{
    if (m_showing)
        return;
    CalcSheet &sheet = m_document.sheet();
    const bool differs = sheet.weightType != i;
    sheet.SetWeightType(i);
    m_document.tellRecalculated();
    if (differs)
        m_document.markChanged();
}

void SheetHeader::onWallChosen(int index)
{
    if (m_showing || index < 0)
        return;
    // Rows that already name a wall keep their text and are not re-evaluated.
    CalcSheet &sheet = m_document.sheet();
    const bool differs = sheet.certifiedChoice != index;
    sheet.certifiedChoice = index;
    if (differs)
        m_document.markChanged();
}

bool SheetHeader::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_title)
            emit promptRequested(Str(S::PromptProjectName));
        else if (watched == m_wall)
            emit promptRequested(Str(S::PromptCertifiedWall));
        else if (std::find(m_storeys.begin(), m_storeys.end(), watched) != m_storeys.end())
            emit promptRequested(Str(S::PromptStoreys));
        else if (std::find(m_weights.begin(), m_weights.end(), watched) != m_weights.end())
            emit promptRequested(Str(S::PromptRoofWeight));
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quiren
