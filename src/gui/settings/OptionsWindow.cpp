#include "gui/settings/OptionsWindow.h"

#include "core/calc/RuleSet.h"

#include "core/settings/MacroImport.h"
#include "core/settings/SettingsStore.h"
#include "core/text/Cp932.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"
#include "gui/settings/CertifiedWallPage.h"
#include "gui/settings/OfficeChanges.h"
#include "gui/tools/FolderPicker.h"
#include "gui/widgets/Captions.h"
#include "gui/widgets/MessageBox.h"
#include "gui/widgets/NumberInput.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quiren {

OptionsWindow::OptionsWindow(QWidget *owner, OptionsHost *host, AppData &data)
    : QDialog(owner)
    , m_data(data)
    , m_host(host)
    , m_pickFolder(&FolderPicker::pick)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(Str(S::OptionsTitle));

    m_tbsOptions = Named(new QTabWidget(this), QStringLiteral("tbsOptions"));
    const int tabCaptions[4] = {S::OptionsTabOffice, S::OptionsTabWalls, S::OptionsTabStrongWind, S::OptionsTabOther};
    for (int i = 0; i < 4; ++i) {
        auto *page = Named(new QWidget, Indexed("picOptions", i));
        m_tbsOptions->addTab(page, Str(tabCaptions[i]));
    }
    buildOfficePage(m_tbsOptions->widget(OfficePage));
    m_wallPage = new CertifiedWallPage(WallListStorePath(m_data.programFolder), m_tbsOptions->widget(WallPage));
    (new QVBoxLayout(m_tbsOptions->widget(WallPage)))->addWidget(m_wallPage);
    buildWindPage(m_tbsOptions->widget(WindPage));
    buildOtherPage(m_tbsOptions->widget(OtherPage));

    m_cmdOK = Named(Numbered(new QPushButton(this), S::Ok), QStringLiteral("cmdOK"));
    m_cmdCancel = Named(Numbered(new QPushButton(this), S::Cancel), QStringLiteral("cmdCancel"));
    m_cmdApply = Named(Numbered(new QPushButton(this), S::Apply), QStringLiteral("cmdApply"));
    m_cmdOK->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    buttons->addWidget(m_cmdApply);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tbsOptions, 1);
    layout->addLayout(buttons);

    LoadCaptions(this);

    connect(m_cmdOK, &QPushButton::clicked, this, &OptionsWindow::onOk);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_cmdApply, &QPushButton::clicked, this, [this] { apply(); });

    // Ctrl+Tab and Ctrl+Shift+Tab go round the tabs from anywhere in the window.
    auto *next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(next, &QShortcut::activated, this, &OptionsWindow::selectNextTab);
    auto *previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
    connect(previous, &QShortcut::activated, this, &OptionsWindow::selectPreviousTab);
    auto *previousTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), this);
    connect(previousTab, &QShortcut::activated, this, &OptionsWindow::selectPreviousTab);

    fill();
}

const CertifiedWallList &OptionsWindow::workingWalls() const
{
    return m_wallPage->walls();
}

void OptionsWindow::showModal(QWidget *owner, OptionsHost *host)
{
    OptionsWindow window(owner, host);
    window.exec();
}

// ---- Pages ------------------------------------------------------------------

void OptionsWindow::buildOfficePage(QWidget *page)
{
    auto *kindFrame = Named(Numbered(new QGroupBox(page), S::ArchitectKind), QStringLiteral("BuilderKindfrm"));
    auto *kindGroup = new QButtonGroup(this);
    auto *kindLayout = new QHBoxLayout(kindFrame);
    for (int i = 0; i < 2; ++i) {
        m_bulderKind[i] = Named(Numbered(new QRadioButton(kindFrame), S::ArchitectKinds + i), Indexed("BulderKind", i));
        kindGroup->addButton(m_bulderKind[i], i);
        kindLayout->addWidget(m_bulderKind[i]);
    }
    kindLayout->addStretch(1);

    auto *form = new QFormLayout;
    for (int i = 0; i < 2; ++i) {
        m_bulderInfo[i] = Named(new QLineEdit(page), Indexed("BulderInfo", i));
        form->addRow(NumberedLabel(S::ArchitectLabels + i, page), m_bulderInfo[i]);
    }
    for (int i = 0; i < 5; ++i) {
        m_officeRegst[i] = Named(new QLineEdit(page), Indexed("OfficeRegst", i));
        form->addRow(NumberedLabel(S::OfficeLabels + i, page), m_officeRegst[i]);
    }
    m_bulderInfo[0]->setMinimumWidth(320);

    m_printJudge = Named(Numbered(new QCheckBox(page), S::PrintOnSheet), QStringLiteral("PrintJudge"));
    m_command2 = Named(Numbered(new QPushButton(page), S::ImportFromMacro), QStringLiteral("Command2"));
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_printJudge);
    bottom->addStretch(1);
    bottom->addWidget(m_command2);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(kindFrame);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addLayout(bottom);

    connect(m_command2, &QPushButton::clicked, this, &OptionsWindow::onImportMacro);
}

void OptionsWindow::buildWindPage(QWidget *page)
{
    auto *frame = Named(Numbered(new QGroupBox(page), S::StrongWindSettings), QStringLiteral("Frame1"));
    auto *about = NumberedLabel(S::StrongWindExplanation, frame);
    about->setWordWrap(true);

    m_mtimes = Named(new NumberSpinBox(frame), QStringLiteral("Mtimes"));
    m_mtimes->setRange(WallCoefficientMin, WallCoefficientMax);
    m_mtimes->setSingleStep(1);
    m_mtimes->setValue(WallCoefficientDefault);
    m_mtimes->setAlignment(Qt::AlignRight);

    auto *valueRow = new QHBoxLayout;
    valueRow->addWidget(NumberedLabel(S::ProjectedAreaFactor, frame));
    valueRow->addSpacing(12);
    valueRow->addWidget(m_mtimes);
    valueRow->addWidget(NumberedLabel(S::CentimetresPerSquareMetre, frame));
    valueRow->addStretch(1);

    m_label11 = Named(new QLabel(frame), QStringLiteral("Label11_1"));
    m_label11->setWordWrap(true);

    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(about);
    frameLayout->addSpacing(8);
    frameLayout->addLayout(valueRow);
    frameLayout->addSpacing(8);
    frameLayout->addWidget(m_label11);
    frameLayout->addStretch(1);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(frame);
}

void OptionsWindow::buildOtherPage(QWidget *page)
{
    auto *frame = Named(Numbered(new QGroupBox(page), S::WordingFrame), QStringLiteral("Frame3"));
    auto *styleGroup = new QButtonGroup(this);
    auto *frameLayout = new QVBoxLayout(frame);
    for (int i = 0; i < 2; ++i) {
        m_pafoMethod[i] = Named(Numbered(new QRadioButton(frame), S::WordingChoices + i), Indexed("pafoMethod", i));
        styleGroup->addButton(m_pafoMethod[i], i);
        frameLayout->addWidget(m_pafoMethod[i]);
    }

    m_newSheetRules = Named(new QComboBox(page), QStringLiteral("NewSheetRules"));
    m_newSheetRules->addItem(RuleSetName(RuleSetKind::Rules2025));
    m_newSheetRules->addItem(RuleSetName(RuleSetKind::Old));
    auto *rulesRow = new QHBoxLayout;
    auto *rulesLabel = new QLabel(Str(S::NewSheetRules), page);
    rulesLabel->setBuddy(m_newSheetRules);
    rulesRow->addWidget(rulesLabel);
    rulesRow->addWidget(m_newSheetRules);
    rulesRow->addStretch(1);

    m_comMod = Named(new QComboBox(page), QStringLiteral("ComMod"));
    auto *moduleRow = new QHBoxLayout;
    moduleRow->addWidget(NumberedLabel(S::ModuleInUse, page));
    moduleRow->addWidget(m_comMod);
    moduleRow->addStretch(1);

    m_tbJWpath = Named(new QLineEdit(page), QStringLiteral("tbJWpath"));
    m_command1 = Named(Numbered(new QPushButton(page), S::Browse), QStringLiteral("Command1"));
    m_command1->setAutoDefault(false);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(m_tbJWpath, 1);
    folderRow->addWidget(m_command1);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(frame);
    layout->addSpacing(8);
    layout->addLayout(moduleRow);
    layout->addSpacing(8);
    layout->addLayout(rulesRow);
    layout->addSpacing(8);
    layout->addWidget(NumberedLabel(S::JwFolderTitle, page));
    layout->addLayout(folderRow);
    layout->addStretch(1);

    connect(m_comMod, &QComboBox::activated, this, [this](int index) { m_moduleIndex = index; });
    connect(m_tbJWpath, &QLineEdit::textEdited, this, [this](const QString &text) { m_pendingJwFolder = text; });
    connect(m_command1, &QPushButton::clicked, this, &OptionsWindow::onBrowse);
}

// ---- Fill -----------------------------------------------------------------

void OptionsWindow::fill()
{
    for (int number = S::ModuleChoices; number <= S::ModuleChoices + 3; ++number)
        m_comMod->addItem(Str(number));

    LoadOptionData(m_data);
    m_wallPage->load(m_data.walls);

    m_mtimes->setValue(ReadWallCoefficient());

    showOffice(m_data.office);

    m_tbsOptions->setCurrentIndex(OfficePage);

    m_label11->setText(Str(S::FactorNoteLine1) + QLatin1Char('\n') + Str(S::FactorNoteLine2) + QLatin1Char('\n') + Str(S::FactorNoteLine3)
                      + QLatin1Char('\n') + Str(S::FactorNoteLine4));

    m_pafoMethod[ReadPafKind() ? 0 : 1]->setChecked(true);

    m_newSheetRules->setCurrentIndex(ReadNewSheet2025() ? 0 : 1);
    m_moduleIndex = ReadModule();
    m_comMod->setCurrentIndex(m_moduleIndex);

    m_pendingJwFolder = m_data.jwFolder;
    m_tbJWpath->setText(m_pendingJwFolder);
}

void OptionsWindow::showOffice(const OfficeData &office)
{
    m_bulderKind[office.firstClass() ? 0 : 1]->setChecked(true);
    m_bulderInfo[0]->setText(office[OfficeData::Name]);
    m_bulderInfo[1]->setText(office[OfficeData::RegstNumber]);
    for (int i = 0; i < 5; ++i)
        m_officeRegst[i]->setText(office[OfficeData::OfficeName + i]);
    if (!office.print().isEmpty())
        m_printJudge->setChecked(office.printed());
}

OfficeData OptionsWindow::officeFromControls() const
{
    OfficeData office;
    office[OfficeData::Type] = BoolText(m_bulderKind[0]->isChecked());
    office[OfficeData::Name] = m_bulderInfo[0]->text();
    office[OfficeData::RegstNumber] = m_bulderInfo[1]->text();
    for (int i = 0; i < 5; ++i)
        office[OfficeData::OfficeName + i] = m_officeRegst[i]->text();
    office[OfficeData::Print] = m_printJudge->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return office;
}

// ---- Tabs ------------------------------------------------------------------

void OptionsWindow::selectNextTab()
{
    m_tbsOptions->setCurrentIndex((m_tbsOptions->currentIndex() + 1) % m_tbsOptions->count());
}

void OptionsWindow::selectPreviousTab()
{
    const int count = m_tbsOptions->count();
    m_tbsOptions->setCurrentIndex((m_tbsOptions->currentIndex() + count - 1) % count);
}

// ---- Office data import and JW folder ----------------------------------------

void OptionsWindow::onImportMacro()
{
    const std::optional<OfficeData> office = ReadMacroOfficeData();
    if (!office) {
        // A macro settings file that was not read at all (a FIFO, far too
        // large) is named, so the user knows the data may be there.
        QString text = MacroAbsentMessage();
        if (const QString problem = SettingsFileProblem(QString::fromLatin1(TslyApplication)); !problem.isEmpty())
            text += QLatin1Char('\n') + problem;
        ShowMessage(this, text, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    showOffice(*office);
}

void OptionsWindow::onBrowse()
{
    QString folder = m_pendingJwFolder;
    if (m_pickFolder && m_pickFolder(this, folder)) {
        m_pendingJwFolder = folder;
        m_tbJWpath->setText(folder);
    }
}

// ---- Apply / OK ---------------------------------------------------------------

bool OptionsWindow::apply()
{
    // 1. The certified walls: stored first, taken into the program's list
    //    only when the file holds them.
    AppData staged = m_data;
    staged.walls = m_wallPage->walls();
    QStringList renamed;
    const WriteResult written = SaveWallList(staged, &renamed);
    if (written.ok) {
        m_data.walls = staged.walls;
        if (!renamed.isEmpty())
            m_wallPage->load(staged.walls);
        // 2. The active calculation window offers the new list.
        if (m_host)
            m_host->refillActiveWallChoice(m_data.walls);
    } else {
        ShowMessage(this, written.error + QLatin1Char('\n') + Str(S::WallsNotStored), MsgButtons::Ok,
                    MsgIcon::Critical);
    }

    // 3. The office record.
    m_data.office = officeFromControls();

    // 4. The JW folder in effect. The export puts its file name right after
    //    the folder, so a typed folder gets its closing "/".
    QString folder = m_pendingJwFolder.trimmed();
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    if (!folder.isEmpty())
        m_data.jwFolder = folder;
    m_pendingJwFolder = m_data.jwFolder;
    m_tbJWpath->setText(m_pendingJwFolder);

    // 5. Direction captions of every open calculation window.
    const bool pafKind = m_pafoMethod[0]->isChecked();
    if (m_host)
        m_host->SetDirectionCaptions(pafKind);

    // 6. The settings.
    (void)TakeSettingsWriteProblem();   // an older failure was told then
    SaveOfficeData(m_data.office);
    WriteWallCoefficient(m_mtimes->value());
    WritePafKind(pafKind);
    WriteModule(m_moduleIndex);
    WriteNewSheet2025(m_newSheetRules->currentIndex() == 0);
    WriteJwPath(m_data.jwFolder);
    // Settings that did not reach their file would be gone at the next
    // start: the user hears why, and the window stays open with them.
    const QString problem = TakeSettingsWriteProblem();
    if (!problem.isEmpty())
        ShowMessage(this, problem, MsgButtons::Ok, MsgIcon::Critical);

    // Every open sheet, with the walls and settings as stored now.
    OfficeChanges::instance().tellApplied();

    return written.ok && problem.isEmpty();
}

void OptionsWindow::onOk()
{
    // When the walls or the settings could not be stored the window stays
    // open, so that nothing the user typed is lost.
    if (apply())
        accept();
}

} // namespace quiren
