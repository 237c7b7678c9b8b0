#include "gui/settings/OptionsWindow.h"

#include "core/calc/RuleSet.h"

#include "core/settings/MacroImport.h"
#include "core/settings/SettingsStore.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"
#include "gui/tools/FolderPicker.h"
#include "gui/widgets/Captions.h"
#include "gui/widgets/MessageBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
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
#include <QStringEncoder>
#include <QTabWidget>
#include <QVBoxLayout>

#include <type_traits>

namespace quiren {

namespace {

constexpr int NameBytesInFrame = 16;

// A control designed with its string number as its text and tag; the
// window's LoadCaptions replaces the number by the text.
template <typename T>
T *Numbered(T *control, int number)
{
    SetTag(control, number);
    if constexpr (std::is_base_of_v<QGroupBox, T>)
        control->setTitle(QString::number(number));
    else
        control->setText(QString::number(number));
    return control;
}

QLabel *NumberedLabel(int number, QWidget *parent, const char *name = nullptr)
{
    auto *label = new QLabel(parent);
    Numbered(label, number);
    if (name)
        label->setObjectName(QLatin1String(name));
    return label;
}

template <typename T>
T *Named(T *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

QString Indexed(const char *name, int index)
{
    return QLatin1String(name) + QLatin1Char('_') + QString::number(index);
}

} // namespace

bool OptionsWindow::NameFitsPrintFrame(const QString &name)
{
    QStringEncoder encoder("windows-31j");
    const QByteArray bytes = encoder.encode(name);
    return bytes.size() <= NameBytesInFrame;
}

OptionsWindow::OptionsWindow(QWidget *owner, OptionsHost *host, AppData &data)
    : QDialog(owner)
    , data_(data)
    , host_(host)
    , pickFolder_(&FolderPicker::Pick)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(Str(S::OptionsTitle));

    captionNewRegister_ = Str(S::NewRegistration);
    captionEdit_ = Str(S::Edit);
    captionAddRegister_ = Str(S::AddRegistration);
    captionReregister_ = Str(S::Reregister);

    tbsOptions_ = Named(new QTabWidget(this), QStringLiteral("tbsOptions"));
    const int tabCaptions[4] = {S::OptionsTabOffice, S::OptionsTabWalls, S::OptionsTabStrongWind, S::OptionsTabOther};
    for (int i = 0; i < 4; ++i) {
        auto *page = Named(new QWidget, Indexed("picOptions", i));
        tbsOptions_->addTab(page, Str(tabCaptions[i]));
    }
    buildOfficePage(tbsOptions_->widget(OfficePage));
    buildWallPage(tbsOptions_->widget(WallPage));
    buildWindPage(tbsOptions_->widget(WindPage));
    buildOtherPage(tbsOptions_->widget(OtherPage));

    cmdOK_ = Named(Numbered(new QPushButton(this), S::Ok), QStringLiteral("cmdOK"));
    cmdCancel_ = Named(Numbered(new QPushButton(this), S::Cancel), QStringLiteral("cmdCancel"));
    cmdApply_ = Named(Numbered(new QPushButton(this), S::Apply), QStringLiteral("cmdApply"));
    cmdOK_->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    buttons->addWidget(cmdApply_);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tbsOptions_, 1);
    layout->addLayout(buttons);

    LoadCaptions(this);

    connect(cmdOK_, &QPushButton::clicked, this, &OptionsWindow::onOk);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdApply_, &QPushButton::clicked, this, [this] { apply(); });

    // Ctrl+Tab and Ctrl+Shift+Tab go round the tabs from anywhere in the window.
    auto *next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(next, &QShortcut::activated, this, &OptionsWindow::selectNextTab);
    auto *previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
    connect(previous, &QShortcut::activated, this, &OptionsWindow::selectPreviousTab);
    auto *previousTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), this);
    connect(previousTab, &QShortcut::activated, this, &OptionsWindow::selectPreviousTab);

    fill();
}

void OptionsWindow::ShowModal(QWidget *owner, OptionsHost *host)
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
        bulderKind_[i] = Named(Numbered(new QRadioButton(kindFrame), S::ArchitectKinds + i), Indexed("BulderKind", i));
        kindGroup->addButton(bulderKind_[i], i);
        kindLayout->addWidget(bulderKind_[i]);
    }
    kindLayout->addStretch(1);

    auto *form = new QFormLayout;
    for (int i = 0; i < 2; ++i) {
        bulderInfo_[i] = Named(new QLineEdit(page), Indexed("BulderInfo", i));
        form->addRow(NumberedLabel(S::ArchitectLabels + i, page), bulderInfo_[i]);
    }
    for (int i = 0; i < 5; ++i) {
        officeRegst_[i] = Named(new QLineEdit(page), Indexed("OfficeRegst", i));
        form->addRow(NumberedLabel(S::OfficeLabels + i, page), officeRegst_[i]);
    }
    bulderInfo_[0]->setMinimumWidth(320);

    printJudge_ = Named(Numbered(new QCheckBox(page), S::PrintOnSheet), QStringLiteral("PrintJudge"));
    command2_ = Named(Numbered(new QPushButton(page), S::ImportFromMacro), QStringLiteral("Command2"));
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(printJudge_);
    bottom->addStretch(1);
    bottom->addWidget(command2_);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(kindFrame);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addLayout(bottom);

    connect(command2_, &QPushButton::clicked, this, &OptionsWindow::onImportMacro);
}

void OptionsWindow::buildWallPage(QWidget *page)
{
    auto *frame = Named(Numbered(new QGroupBox(page), S::CertifiedWallRegistration), QStringLiteral("AuthorizationFrm"));
    authorizationList_ = Named(new QListWidget(frame), QStringLiteral("AuthorizationList"));
    authorizationList_->setSelectionMode(QAbstractItemView::SingleSelection);
    authorizationList_->setMinimumHeight(160);
    for (int i = 0; i < 2; ++i) {
        authorizationText_[i] = Named(new QLineEdit(frame), Indexed("AuthorizationText", i));
        authorizationText_[i]->installEventFilter(this);
    }
    authorizationText_[1]->setMaximumWidth(120);

    const int captions[3] = {S::RegisterWall, S::EditWall, S::DeleteWall};
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (int i = 0; i < 3; ++i) {
        wallRegst_[i] = Named(Numbered(new QPushButton(frame), captions[i]), Indexed("WallRegst", i));
        wallRegst_[i]->setAutoDefault(false);
        buttons->addWidget(wallRegst_[i]);
    }

    auto *form = new QFormLayout;
    form->addRow(NumberedLabel(S::WallNameToRegister, frame), authorizationText_[0]);
    form->addRow(NumberedLabel(S::WallMultiplier, frame), authorizationText_[1]);

    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(NumberedLabel(S::RegisteredWalls, frame));
    frameLayout->addWidget(authorizationList_, 1);
    frameLayout->addLayout(form);
    frameLayout->addLayout(buttons);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(frame);

    connect(authorizationText_[0], &QLineEdit::textChanged, this, [this] { onWallTextChanged(false); });
    connect(authorizationText_[1], &QLineEdit::textChanged, this, [this] { onWallTextChanged(true); });
    connect(authorizationList_, &QListWidget::itemClicked, this, [this] { onWallListClicked(); });
    connect(authorizationList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && !updatingWallList_)
            onWallListClicked();
    });
    connect(wallRegst_[0], &QPushButton::clicked, this, &OptionsWindow::onRegister);
    connect(wallRegst_[1], &QPushButton::clicked, this, &OptionsWindow::onEditOrReregister);
    connect(wallRegst_[2], &QPushButton::clicked, this, &OptionsWindow::onDelete);
}

void OptionsWindow::buildWindPage(QWidget *page)
{
    auto *frame = Named(Numbered(new QGroupBox(page), S::StrongWindSettings), QStringLiteral("Frame1"));
    auto *about = NumberedLabel(S::StrongWindExplanation, frame);
    about->setWordWrap(true);

    mtimes_ = Named(new QSpinBox(frame), QStringLiteral("Mtimes"));
    mtimes_->setRange(WallCoefficientMin, WallCoefficientMax);
    mtimes_->setSingleStep(1);
    mtimes_->setValue(WallCoefficientDefault);
    mtimes_->setAlignment(Qt::AlignRight);

    auto *valueRow = new QHBoxLayout;
    valueRow->addWidget(NumberedLabel(S::ProjectedAreaFactor, frame));
    valueRow->addSpacing(12);
    valueRow->addWidget(mtimes_);
    valueRow->addWidget(NumberedLabel(S::CentimetresPerSquareMetre, frame));
    valueRow->addStretch(1);

    label11_ = Named(new QLabel(frame), QStringLiteral("Label11_1"));
    label11_->setWordWrap(true);

    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(about);
    frameLayout->addSpacing(8);
    frameLayout->addLayout(valueRow);
    frameLayout->addSpacing(8);
    frameLayout->addWidget(label11_);
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
        pafoMethod_[i] = Named(Numbered(new QRadioButton(frame), S::WordingChoices + i), Indexed("pafoMethod", i));
        styleGroup->addButton(pafoMethod_[i], i);
        frameLayout->addWidget(pafoMethod_[i]);
    }

    newSheetRules_ = Named(new QComboBox(page), QStringLiteral("NewSheetRules"));
    newSheetRules_->addItem(RuleSetName(RuleSetKind::Rules2025));
    newSheetRules_->addItem(RuleSetName(RuleSetKind::Old));
    auto *rulesRow = new QHBoxLayout;
    auto *rulesLabel = new QLabel(Str(S::NewSheetRules), page);
    rulesLabel->setBuddy(newSheetRules_);
    rulesRow->addWidget(rulesLabel);
    rulesRow->addWidget(newSheetRules_);
    rulesRow->addStretch(1);

    comMod_ = Named(new QComboBox(page), QStringLiteral("ComMod"));
    auto *moduleRow = new QHBoxLayout;
    moduleRow->addWidget(NumberedLabel(S::ModuleInUse, page));
    moduleRow->addWidget(comMod_);
    moduleRow->addStretch(1);

    tbJWpath_ = Named(new QLineEdit(page), QStringLiteral("tbJWpath"));
    command1_ = Named(Numbered(new QPushButton(page), S::Browse), QStringLiteral("Command1"));
    command1_->setAutoDefault(false);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(tbJWpath_, 1);
    folderRow->addWidget(command1_);

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

    connect(comMod_, &QComboBox::activated, this, [this](int index) { moduleIndex_ = index; });
    connect(tbJWpath_, &QLineEdit::textEdited, this, [this](const QString &text) { pendingJwFolder_ = text; });
    connect(command1_, &QPushButton::clicked, this, &OptionsWindow::onBrowse);
}

// ---- Fill -----------------------------------------------------------------

void OptionsWindow::fill()
{
    for (int number = S::ModuleChoices; number <= S::ModuleChoices + 3; ++number)
        comMod_->addItem(Str(number));

    LoadOptionData(data_);
    working_ = data_.walls;
    refreshWallList();

    mtimes_->setValue(ReadWallCoefficient());

    for (QPushButton *button : wallRegst_)
        button->setEnabled(false);

    showOffice(data_.office);

    tbsOptions_->setCurrentIndex(OfficePage);

    label11_->setText(Str(S::FactorNoteLine1) + QLatin1Char('\n') + Str(S::FactorNoteLine2) + QLatin1Char('\n') + Str(S::FactorNoteLine3)
                      + QLatin1Char('\n') + Str(S::FactorNoteLine4));

    pafoMethod_[ReadPafKind() ? 0 : 1]->setChecked(true);

    newSheetRules_->setCurrentIndex(ReadNewSheet2025() ? 0 : 1);
    moduleIndex_ = ReadModule();
    comMod_->setCurrentIndex(moduleIndex_);

    pendingJwFolder_ = data_.jwFolder;
    tbJWpath_->setText(pendingJwFolder_);
}

void OptionsWindow::showOffice(const OfficeData &office)
{
    bulderKind_[office.firstClass() ? 0 : 1]->setChecked(true);
    bulderInfo_[0]->setText(office[OfficeData::Name]);
    bulderInfo_[1]->setText(office[OfficeData::RegstNumber]);
    for (int i = 0; i < 5; ++i)
        officeRegst_[i]->setText(office[OfficeData::OfficeName + i]);
    if (!office.print().isEmpty())
        printJudge_->setChecked(office.printed());
}

OfficeData OptionsWindow::officeFromControls() const
{
    OfficeData office;
    office[OfficeData::Type] = BoolText(bulderKind_[0]->isChecked());
    office[OfficeData::Name] = bulderInfo_[0]->text();
    office[OfficeData::RegstNumber] = bulderInfo_[1]->text();
    for (int i = 0; i < 5; ++i)
        office[OfficeData::OfficeName + i] = officeRegst_[i]->text();
    office[OfficeData::Print] = printJudge_->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return office;
}

// ---- Tabs ------------------------------------------------------------------

void OptionsWindow::selectNextTab()
{
    tbsOptions_->setCurrentIndex((tbsOptions_->currentIndex() + 1) % tbsOptions_->count());
}

void OptionsWindow::selectPreviousTab()
{
    const int count = tbsOptions_->count();
    tbsOptions_->setCurrentIndex((tbsOptions_->currentIndex() + count - 1) % count);
}

// ---- Certified walls -------------------------------------------------------

void OptionsWindow::refreshWallList()
{
    updatingWallList_ = true;
    authorizationList_->clear();
    for (const CertifiedWall &wall : working_)
        authorizationList_->addItem(wall.displayLine);
    authorizationList_->setCurrentRow(-1);
    updatingWallList_ = false;
}

bool OptionsWindow::bothWallBoxesFilled() const
{
    return !authorizationText_[0]->text().isEmpty() && !authorizationText_[1]->text().isEmpty();
}

void OptionsWindow::onWallTextChanged(bool multiplierBox)
{
    // The multiplier is checked as it is typed. A change of the name box
    // leaves the multiplier as it was, so it is not checked (and warned
    // about) again.
    const QString multiplier = authorizationText_[1]->text();
    if (multiplierBox && !multiplier.isEmpty()) {
        if (!IsSingleNumber(multiplier)) {
            ShowMessage(this, Str(S::EnterSingleNumber), MsgButtons::Ok, MsgIcon::Exclamation);
            authorizationText_[1]->clear();
        } else {
            const double value = TextValue(multiplier);
            if (!(value > 0.0) || value > 5.0)
                ShowMessage(this, Str(S::InvalidNumber), MsgButtons::Ok, MsgIcon::Exclamation);
        }
    }
    wallRegst_[0]->setEnabled(bothWallBoxesFilled());
}

void OptionsWindow::onWallBoxClicked()
{
    if (wallRegst_[1]->text() != captionEdit_) {
        wallRegst_[1]->setEnabled(true);
    } else {
        wallRegst_[0]->setEnabled(bothWallBoxesFilled());
        wallRegst_[1]->setEnabled(false);
    }
}

void OptionsWindow::onWallListClicked()
{
    if (authorizationList_->currentRow() < 0)
        return;
    wallRegst_[0]->setText(captionNewRegister_);
    wallRegst_[1]->setText(captionEdit_);
    wallRegst_[1]->setEnabled(true);
    wallRegst_[2]->setEnabled(true);
    authorizationText_[0]->clear();
    authorizationText_[1]->clear();
    wallRegst_[0]->setEnabled(false);
}

bool OptionsWindow::confirmWallName()
{
    if (NameFitsPrintFrame(authorizationText_[0]->text()))
        return true;
    const MsgAnswer answer = ShowMessage(this, Str(S::TextTooLongToPrint) + QLatin1Char('\n') + Str(S::ConfirmContinue),
                                         MsgButtons::OkCancel, MsgIcon::Exclamation);
    if (answer == MsgAnswer::Ok)
        return true;
    authorizationText_[0]->setFocus();
    return false;
}

void OptionsWindow::onRegister()
{
    if (!bothWallBoxesFilled())
        return;
    if (working_.size() >= MaxCertifiedWalls) {
        ShowMessage(this, Str(S::WallListFull), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    if (!confirmWallName())
        return;
    CertifiedWall wall;
    wall.name = authorizationText_[0]->text();
    wall.multiplier = TextSingle(authorizationText_[1]->text());
    wall.displayLine = wall.name + Str(S::MultiplierSeparator) + authorizationText_[1]->text();
    working_.append(wall);
    updatingWallList_ = true;
    authorizationList_->addItem(wall.displayLine);
    updatingWallList_ = false;
    wallRegst_[0]->setEnabled(false);
    wallRegst_[1]->setEnabled(false);
}

void OptionsWindow::onEditOrReregister()
{
    const int row = authorizationList_->currentRow();
    if (row < 0 || row >= working_.size())
        return;

    if (wallRegst_[1]->text() == captionEdit_) {
        const CertifiedWall &wall = working_[row];
        authorizationText_[0]->setText(wall.name);
        authorizationText_[1]->setText(SingleText(wall.multiplier));
        wallRegst_[0]->setText(captionAddRegister_);
        wallRegst_[1]->setText(captionReregister_);
        wallRegst_[2]->setEnabled(false);
        return;
    }

    if (!bothWallBoxesFilled() || !confirmWallName())
        return;
    working_[row].name = authorizationText_[0]->text();
    working_[row].multiplier = TextSingle(authorizationText_[1]->text());
    wallRegst_[0]->setEnabled(false);
    wallRegst_[1]->setEnabled(false);
    for (CertifiedWall &wall : working_)
        wall.displayLine = WallDisplayLine(wall.name, wall.multiplier);
    refreshWallList();
    authorizationText_[0]->clear();
    authorizationText_[1]->clear();
    wallRegst_[0]->setText(captionNewRegister_);
    wallRegst_[1]->setText(captionEdit_);
    wallRegst_[0]->setEnabled(false);
}

void OptionsWindow::onDelete()
{
    // Calculation files keep their certified wall by its position in the
    // list, so removing one shifts what older files refer to: ask first.
    const MsgAnswer answer = ShowMessage(
        this, Str(S::DeleteWallAffectsSaved) + QLatin1Char('\n') + Str(S::DeleteWallAffectsSheets) + QLatin1Char('\n') + Str(S::DeleteWallConfirm),
        MsgButtons::OkCancel, MsgIcon::Exclamation);
    if (answer == MsgAnswer::Ok) {
        const int row = authorizationList_->currentRow();
        if (row >= 0 && row < working_.size()) {
            working_.removeAt(row);
            updatingWallList_ = true;
            delete authorizationList_->takeItem(row);
            authorizationList_->setCurrentRow(-1);
            authorizationList_->clearSelection();
            updatingWallList_ = false;
            wallRegst_[1]->setEnabled(false);
        }
    }
    wallRegst_[2]->setEnabled(authorizationList_->currentRow() >= 0 && !working_.isEmpty());
}

bool OptionsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress
        && (watched == authorizationText_[0] || watched == authorizationText_[1]))
        onWallBoxClicked();
    return QDialog::eventFilter(watched, event);
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
    QString folder = pendingJwFolder_;
    if (pickFolder_ && pickFolder_(this, folder)) {
        pendingJwFolder_ = folder;
        tbJWpath_->setText(folder);
    }
}

// ---- Apply / OK ---------------------------------------------------------------

bool OptionsWindow::apply()
{
    // 1. The certified walls: stored first, taken into the program's list
    //    only when the file holds them.
    AppData staged = data_;
    staged.walls = working_;
    QStringList renamed;
    const WriteResult written = SaveWallList(staged, &renamed);
    if (written.ok) {
        data_.walls = staged.walls;
        if (!renamed.isEmpty()) {
            working_ = staged.walls;
            refreshWallList();
        }
        // 2. The active calculation window offers the new list.
        if (host_)
            host_->RefillActiveWallChoice(data_.walls);
    } else {
        ShowMessage(this, written.error + QLatin1Char('\n') + Str(S::WallsNotStored), MsgButtons::Ok,
                    MsgIcon::Critical);
    }

    // 3. The office record.
    data_.office = officeFromControls();

    // 4. The JW folder in effect. The export puts its file name right after
    //    the folder, so a typed folder gets its closing "/".
    QString folder = pendingJwFolder_.trimmed();
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    if (!folder.isEmpty())
        data_.jwFolder = folder;
    pendingJwFolder_ = data_.jwFolder;
    tbJWpath_->setText(pendingJwFolder_);

    // 5. Direction captions of every open calculation window.
    const bool pafKind = pafoMethod_[0]->isChecked();
    if (host_)
        host_->SetDirectionCaptions(pafKind);

    // 6. The settings.
    SaveOfficeData(data_.office);
    WriteWallCoefficient(mtimes_->value());
    WritePafKind(pafKind);
    WriteModule(moduleIndex_);
    WriteNewSheet2025(newSheetRules_->currentIndex() == 0);
    WriteJwPath(data_.jwFolder);

    return written.ok;
}

void OptionsWindow::onOk()
{
    // When the walls could not be stored the window stays open, so that
    // nothing the user typed is lost; everything else is stored already.
    if (apply())
        accept();
}

} // namespace quiren
