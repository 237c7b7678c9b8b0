// The options window: what it shows, how its certified-wall buttons behave,
// and what Apply, OK and Cancel store.
#include "SettingsTestSupport.h"

#include "core/settings/AppData.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/WallListFile.h"
#include "core/text/StringTable.h"
#include "gui/calcwindow/CalcWindow.h"
#include "gui/calcwindow/JudgementGrid.h"
#include "gui/settings/CertifiedWallPage.h"
#include "gui/settings/OptionsWindow.h"
#include "gui/shell/MainWindow.h"
#include "gui/widgets/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <deque>

using namespace quiren;

namespace {

struct FakeHost : OptionsHost {
    QList<CertifiedWallList> refills;
    QList<bool> captionStyles;
    void refillActiveWallChoice(const CertifiedWallList &walls) override { refills.append(walls); }
    void SetDirectionCaptions(bool pafKind) override { captionStyles.append(pafKind); }
};

class OptionsWindowTest : public FreshSettings {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        folder = test::makeScratchDir("program");
        data.programFolder = folder;
        data.jwFolder = folder + "/";
        WriteAppPath(folder);
        SetMessageResponder([this](const MessageRequest &request) {
            messages.append(request.text);
            if (answers.empty())
                return MsgAnswer::Ok;
            const MsgAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        });
    }
    void TearDown() override { SetMessageResponder({}); }

    std::unique_ptr<OptionsWindow> open()
    {
        messages.clear();
        auto window = std::make_unique<OptionsWindow>(nullptr, &host, data);
        return window;
    }

    template <typename T>
    T *child(OptionsWindow &window, const char *name)
    {
        T *found = window.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void writeWalls(const QByteArray &bytes) { test::writeAll(WallListPath(folder), bytes); }

    QStringList listLines(OptionsWindow &window)
    {
        QStringList lines;
        auto *list = child<QListWidget>(window, "AuthorizationList");
        for (int i = 0; i < list->count(); ++i)
            lines.append(list->item(i)->text());
        return lines;
    }

    void clickEntry(OptionsWindow &window, int row)
    {
        auto *list = child<QListWidget>(window, "AuthorizationList");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }

    // Caption and enabled state of the register, edit and delete buttons.
    QString buttonStates(OptionsWindow &window)
    {
        QStringList states;
        for (const char *name : {"WallRegst_0", "WallRegst_1", "WallRegst_2"}) {
            auto *button = child<QPushButton>(window, name);
            states.append(button->text() + (button->isEnabled() ? "+" : "-"));
        }
        return states.join(' ');
    }

    AppData data;
    FakeHost host;
    QString folder;
    QStringList messages;
    std::deque<MsgAnswer> answers;
};

} // namespace

TEST_F(OptionsWindowTest, AFirstOpeningShowsTheDefaults)
{
    auto window = open();
    auto *tabs = child<QTabWidget>(*window, "tbsOptions");
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), "事務所情報の登録");
    EXPECT_EQ(tabs->tabText(1), "耐力壁登録");
    EXPECT_EQ(tabs->tabText(2), "強風指定区域");
    EXPECT_EQ(tabs->tabText(3), "その他");
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(child<QPushButton>(*window, "cmdApply")->text(), "更新");
    EXPECT_EQ(child<QPushButton>(*window, "cmdCancel")->text(), "ｷｬﾝｾﾙ");
    EXPECT_EQ(child<QGroupBox>(*window, "BuilderKindfrm")->title(), "建築士の種類");
    EXPECT_EQ(child<QCheckBox>(*window, "PrintJudge")->text(), "計算書に印刷");
    EXPECT_EQ(child<QPushButton>(*window, "Command1")->text(), "参照");
    EXPECT_EQ(window->windowTitle(), "ｵﾌﾟｼｮﾝ");
    // Every caption has its text: no control still shows a string number.
    QStringList captions;
    for (QLabel *label : window->findChildren<QLabel *>())
        captions << label->text();
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        if (!button->inherits("QToolButton"))  // the tab bar's scroll arrows
            captions << button->text();
    for (QGroupBox *frame : window->findChildren<QGroupBox *>())
        captions << frame->title();
    for (const QString &caption : captions) {
        bool number = false;
        caption.toInt(&number);
        EXPECT_FALSE(number || caption.isEmpty()) << caption.toStdString();
    }

    EXPECT_TRUE(child<QRadioButton>(*window, "BulderKind_0")->isChecked());
    for (const char *name : {"BulderInfo_0", "BulderInfo_1", "OfficeRegst_0", "OfficeRegst_4"})
        EXPECT_EQ(child<QLineEdit>(*window, name)->text(), QString()) << name;
    EXPECT_FALSE(child<QCheckBox>(*window, "PrintJudge")->isChecked());
    EXPECT_EQ(child<QSpinBox>(*window, "Mtimes")->value(), 51);
    EXPECT_TRUE(child<QRadioButton>(*window, "pafoMethod_0")->isChecked());
    EXPECT_EQ(child<QComboBox>(*window, "ComMod")->currentText(), "1間=6.0尺(1820mm)");
    EXPECT_EQ(child<QComboBox>(*window, "ComMod")->count(), 4);
    EXPECT_EQ(child<QLineEdit>(*window, "tbJWpath")->text(), folder + "/");
    EXPECT_EQ(buttonStates(*window), "登録- 編集- 削除-");
    EXPECT_EQ(child<QLabel>(*window, "Label11_1")->text(),
              "上記で入力された数値は各見付け面積に乗算する数値です。\n計算上は単位をm/㎡に換算して計算します。\n"
              "※上記数値が51の場合は\n　見付面積×0.51＝必要軸組長さ(m)となります。");
}

TEST_F(OptionsWindowTest, TheStoredStateIsShownAndTheSpinnerKeepsItsBounds)
{
    writeWalls("\"A\",2.5\r\n\"B\",3\r\n");
    OfficeData office;
    office[OfficeData::Type] = "False";
    office[OfficeData::Name] = "山田太郎";
    office[OfficeData::RegstNumber] = "12345";
    office[OfficeData::OfficeName] = "山田設計";
    office[OfficeData::OfficeRegst] = "第1号";
    office[OfficeData::Address] = "東京都";
    office[OfficeData::Tel] = "03";
    office[OfficeData::Fax] = "04";
    office[OfficeData::Print] = "1";
    SaveOfficeData(office);
    WriteWallCoefficient(60);
    WritePafKind(false);
    WriteModule(3);

    auto window = open();
    EXPECT_TRUE(child<QRadioButton>(*window, "BulderKind_1")->isChecked());
    EXPECT_EQ(child<QLineEdit>(*window, "BulderInfo_0")->text(), "山田太郎");
    EXPECT_EQ(child<QLineEdit>(*window, "BulderInfo_1")->text(), "12345");
    EXPECT_EQ(child<QLineEdit>(*window, "OfficeRegst_0")->text(), "山田設計");
    EXPECT_EQ(child<QLineEdit>(*window, "OfficeRegst_1")->text(), "第1号");
    EXPECT_EQ(child<QLineEdit>(*window, "OfficeRegst_2")->text(), "東京都");
    EXPECT_EQ(child<QLineEdit>(*window, "OfficeRegst_3")->text(), "03");
    EXPECT_EQ(child<QLineEdit>(*window, "OfficeRegst_4")->text(), "04");
    EXPECT_TRUE(child<QCheckBox>(*window, "PrintJudge")->isChecked());
    EXPECT_EQ(listLines(*window), QStringList({"A：倍率2.5", "B：倍率3"}));
    EXPECT_TRUE(child<QRadioButton>(*window, "pafoMethod_1")->isChecked());
    EXPECT_EQ(child<QComboBox>(*window, "ComMod")->currentText(), "ﾒｰﾀｰﾓｼﾞｭｰﾙ");

    auto *spinner = child<QSpinBox>(*window, "Mtimes");
    EXPECT_EQ(spinner->value(), 60);
    spinner->setValue(75);
    spinner->stepUp();
    EXPECT_EQ(spinner->value(), 75);
    spinner->setValue(51);
    spinner->stepDown();
    EXPECT_EQ(spinner->value(), 51);
    spinner->setValue(20);
    EXPECT_EQ(spinner->value(), 51);
    spinner->setValue(74);
    spinner->stepUp();
    window->apply();
    EXPECT_EQ(ReadQuiren(SectionSettings, "WallCoefficeient"), "75");
}

TEST_F(OptionsWindowTest, TheWallButtonsFollowTheirStateTable)
{
    writeWalls("\"A\",2.5\r\n\"B\",3\r\n\"C\",1.5\r\n");
    auto window = open();
    auto *name = child<QLineEdit>(*window, "AuthorizationText_0");
    auto *multiplier = child<QLineEdit>(*window, "AuthorizationText_1");
    EXPECT_EQ(buttonStates(*window), "登録- 編集- 削除-");

    // Typing into both boxes offers the register button.
    name->setText("D");
    EXPECT_EQ(buttonStates(*window), "登録- 編集- 削除-");
    multiplier->setText("2");
    EXPECT_EQ(buttonStates(*window), "登録+ 編集- 削除-");

    // An entry selected: boxes emptied, edit and delete offered.
    clickEntry(*window, 1);
    EXPECT_EQ(buttonStates(*window), "新規登録- 編集+ 削除+");
    EXPECT_EQ(name->text(), QString());
    EXPECT_EQ(multiplier->text(), QString());
    name->setText("D");
    multiplier->setText("2");
    EXPECT_EQ(buttonStates(*window), "新規登録+ 編集+ 削除+");
    // A click into a box while not editing takes the edit button away.
    QTest::mouseClick(name, Qt::LeftButton);
    EXPECT_EQ(buttonStates(*window), "新規登録+ 編集- 削除+");

    // Edit loads the selected wall, the multiplier in its shortest form.
    clickEntry(*window, 1);
    child<QPushButton>(*window, "WallRegst_1")->click();
    EXPECT_EQ(name->text(), "B");
    EXPECT_EQ(multiplier->text(), "3");
    EXPECT_EQ(buttonStates(*window), "追加登録+ 再登録+ 削除-");
    multiplier->clear();
    EXPECT_EQ(buttonStates(*window), "追加登録- 再登録+ 削除-");
    multiplier->setText("3.50");
    QTest::mouseClick(multiplier, Qt::LeftButton);
    EXPECT_EQ(buttonStates(*window), "追加登録+ 再登録+ 削除-");

    // Re-register writes the boxes back and rebuilds every line.
    child<QPushButton>(*window, "WallRegst_1")->click();
    EXPECT_EQ(buttonStates(*window), "新規登録- 編集- 削除-");
    EXPECT_EQ(listLines(*window), QStringList({"A：倍率2.5", "B：倍率3.5", "C：倍率1.5"}));
    EXPECT_EQ(name->text(), QString());
    EXPECT_EQ(multiplier->text(), QString());
    EXPECT_EQ(window->workingWalls().at(1).multiplier, 3.5f);

    // Register keeps the boxes and the captions; the typed text is shown.
    name->setText("E");
    multiplier->setText("2.50");
    child<QPushButton>(*window, "WallRegst_0")->click();
    EXPECT_EQ(buttonStates(*window), "新規登録- 編集- 削除-");
    EXPECT_EQ(name->text(), "E");
    EXPECT_EQ(listLines(*window).last(), "E：倍率2.50");
    EXPECT_EQ(window->workingWalls().size(), 4);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();

    // Edit, re-register and delete do nothing without a selected entry.
    EXPECT_EQ(child<QListWidget>(*window, "AuthorizationList")->currentRow(), -1);
    child<QPushButton>(*window, "WallRegst_2")->click();
    EXPECT_EQ(window->workingWalls().size(), 4);
}

TEST_F(OptionsWindowTest, RegisteredLinesShowTheTypedTextUntilRebuilt)
{
    auto window = open();
    auto *name = child<QLineEdit>(*window, "AuthorizationText_0");
    auto *multiplier = child<QLineEdit>(*window, "AuthorizationText_1");
    name->setText("A");
    multiplier->setText("2.50");
    child<QPushButton>(*window, "WallRegst_0")->click();
    EXPECT_EQ(listLines(*window), QStringList({"A：倍率2.50"}));

    // Applied, it is offered to the active window as typed ...
    ASSERT_TRUE(window->apply());
    ASSERT_EQ(host.refills.size(), 1);
    EXPECT_EQ(host.refills[0].at(0).displayLine, "A：倍率2.50");
    EXPECT_EQ(test::readAll(WallListPath(folder)), "\"A\",2.5\r\n");

    // ... and a reopened window shows the stored value's shortest text.
    window = open();
    EXPECT_EQ(listLines(*window), QStringList({"A：倍率2.5"}));
}

TEST_F(OptionsWindowTest, TheMultiplierIsCheckedAsItIsTyped)
{
    auto window = open();
    auto *name = child<QLineEdit>(*window, "AuthorizationText_0");
    auto *multiplier = child<QLineEdit>(*window, "AuthorizationText_1");

    multiplier->setText("abc");
    EXPECT_EQ(messages, QStringList({Str(S::EnterSingleNumber)}));
    EXPECT_EQ(multiplier->text(), QString());

    for (const char *outside : {"0", "-1", "5.01", "6", "2.125"}) {
        messages.clear();
        multiplier->setText(QString::fromLatin1(outside));
        EXPECT_EQ(messages, QStringList({"入力数値が不正です。"})) << outside;
        EXPECT_EQ(multiplier->text(), QString::fromLatin1(outside));
    }
    for (const char *inside : {"5", "0.1", "2.50"}) {
        messages.clear();
        multiplier->setText(QString::fromLatin1(inside));
        EXPECT_TRUE(messages.isEmpty()) << inside;
    }

    // Typing the name does not repeat the warning; registering a value out
    // of range is refused (the wall file would not read it back).
    multiplier->setText("6");
    messages.clear();
    name->setText("壁");
    EXPECT_TRUE(messages.isEmpty());
    child<QPushButton>(*window, "WallRegst_0")->click();
    EXPECT_EQ(messages, QStringList({"入力数値が不正です。"}));
    EXPECT_TRUE(listLines(*window).isEmpty());
    multiplier->setText("3.75");
    child<QPushButton>(*window, "WallRegst_0")->click();
    EXPECT_EQ(listLines(*window), QStringList({"壁：倍率3.75"}));
}

TEST_F(OptionsWindowTest, LongNamesAreQuestionedBeforeTheyAreRegistered)
{
    EXPECT_TRUE(CertifiedWallPage::nameFitsPrintFrame(QString(16, 'a')));
    EXPECT_FALSE(CertifiedWallPage::nameFitsPrintFrame(QString(17, 'a')));
    EXPECT_TRUE(CertifiedWallPage::nameFitsPrintFrame("耐力壁構造用合板"));     // 8 full-width
    EXPECT_FALSE(CertifiedWallPage::nameFitsPrintFrame("耐力壁構造用合板Ｎ"));  // 9 full-width
    EXPECT_TRUE(CertifiedWallPage::nameFitsPrintFrame("ｶﾀｶﾅ半角ﾃｽﾄ壁ABC"));     // 16 bytes

    auto window = open();
    auto *name = child<QLineEdit>(*window, "AuthorizationText_0");
    auto *multiplier = child<QLineEdit>(*window, "AuthorizationText_1");
    auto *registerButton = child<QPushButton>(*window, "WallRegst_0");
    const QString question = "入力した文字数では印刷時に枠からはみ出ます。\nよろしいですか？";

    name->setText("耐力壁構造用合板");
    multiplier->setText("2");
    registerButton->click();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(window->workingWalls().size(), 1);

    name->setText("耐力壁構造用合板Ｎ");
    answers = {MsgAnswer::Cancel};
    registerButton->setEnabled(true);
    registerButton->click();
    EXPECT_EQ(messages, QStringList({question}));
    EXPECT_EQ(window->workingWalls().size(), 1);

    messages.clear();
    name->setText(QString(17, 'x'));
    answers = {MsgAnswer::Ok};
    registerButton->click();
    EXPECT_EQ(messages, QStringList({question}));
    ASSERT_EQ(window->workingWalls().size(), 2);
    EXPECT_EQ(window->workingWalls().at(1).name, QString(17, 'x'));
}

TEST_F(OptionsWindowTest, DeletingAsksAndShiftsTheLaterWallsUp)
{
    writeWalls("\"A\",2.5\r\n\"B\",3\r\n\"C\",1.5\r\n");
    auto window = open();
    const QString question = "ﾘｽﾄの項目を削除すると過去に保存した\n計算書に影響します。\n削除してよろしいですか？";

    clickEntry(*window, 1);
    answers = {MsgAnswer::Cancel};
    child<QPushButton>(*window, "WallRegst_2")->click();
    EXPECT_EQ(messages, QStringList({question}));
    EXPECT_EQ(window->workingWalls().size(), 3);
    EXPECT_EQ(buttonStates(*window), "新規登録- 編集+ 削除+");

    answers = {MsgAnswer::Ok};
    child<QPushButton>(*window, "WallRegst_2")->click();
    EXPECT_EQ(listLines(*window), QStringList({"A：倍率2.5", "C：倍率1.5"}));
    EXPECT_EQ(buttonStates(*window), "新規登録- 編集- 削除-");
    // Nothing is stored before OK.
    EXPECT_EQ(test::readAll(WallListPath(folder)), "\"A\",2.5\r\n\"B\",3\r\n\"C\",1.5\r\n");

    child<QPushButton>(*window, "cmdOK")->click();
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(test::readAll(WallListPath(folder)), "\"A\",2.5\r\n\"C\",1.5\r\n");
    ASSERT_EQ(data.walls.size(), 2);
    EXPECT_EQ(data.walls[1].name, "C");
}

TEST_F(OptionsWindowTest, AHundredAndSecondWallIsRefused)
{
    QByteArray bytes;
    for (int i = 0; i < MaxCertifiedWalls; ++i)
        bytes += "\"W" + QByteArray::number(i) + "\",1\r\n";
    writeWalls(bytes);
    auto window = open();
    ASSERT_EQ(window->workingWalls().size(), MaxCertifiedWalls);

    child<QLineEdit>(*window, "AuthorizationText_0")->setText("X");
    child<QLineEdit>(*window, "AuthorizationText_1")->setText("2");
    child<QPushButton>(*window, "WallRegst_0")->click();
    EXPECT_EQ(messages, QStringList({Str(S::WallListFull)}));
    EXPECT_EQ(window->workingWalls().size(), MaxCertifiedWalls);
}

TEST_F(OptionsWindowTest, ApplyStoresEverythingAndUpdatesTheOpenWindows)
{
    auto window = open();
    child<QRadioButton>(*window, "BulderKind_1")->setChecked(true);
    child<QLineEdit>(*window, "BulderInfo_0")->setText("管理 太郎");
    child<QLineEdit>(*window, "BulderInfo_1")->setText("第123号");
    child<QLineEdit>(*window, "OfficeRegst_0")->setText("設計室");
    child<QLineEdit>(*window, "OfficeRegst_1")->setText("登録456");
    child<QLineEdit>(*window, "OfficeRegst_2")->setText("大阪市");
    child<QLineEdit>(*window, "OfficeRegst_3")->setText("06-1");
    child<QLineEdit>(*window, "OfficeRegst_4")->setText("06-2");
    child<QCheckBox>(*window, "PrintJudge")->setChecked(true);
    child<QSpinBox>(*window, "Mtimes")->setValue(63);
    child<QRadioButton>(*window, "pafoMethod_1")->setChecked(true);
    auto *module = child<QComboBox>(*window, "ComMod");
    module->setCurrentIndex(2);
    emit module->activated(2);
    window->setFolderPicker([](QWidget *, QString &pending) {
        pending = "/srv/jw/";
        return true;
    });
    child<QPushButton>(*window, "Command1")->click();
    EXPECT_EQ(child<QLineEdit>(*window, "tbJWpath")->text(), "/srv/jw/");
    child<QLineEdit>(*window, "AuthorizationText_0")->setText("壁A");
    child<QLineEdit>(*window, "AuthorizationText_1")->setText("2.5");
    child<QPushButton>(*window, "WallRegst_0")->click();

    // Nothing is stored or changed before Apply.
    EXPECT_EQ(ReadQuiren(SectionOfficeData, "Name"), QString());
    EXPECT_TRUE(host.refills.isEmpty());
    EXPECT_FALSE(QFile::exists(WallListPath(folder)));

    bool closed = false;
    QObject::connect(window.get(), &QDialog::finished, [&closed] { closed = true; });
    child<QPushButton>(*window, "cmdApply")->click();
    EXPECT_FALSE(closed);  // Apply leaves the window open
    QStringEncoder cp932("windows-31j");
    EXPECT_EQ(test::readAll(WallListPath(folder)), QByteArray(cp932.encode(QStringLiteral("\"壁A\",2.5\r\n"))));
    ASSERT_EQ(data.walls.size(), 1);
    EXPECT_EQ(data.walls[0].name, "壁A");
    ASSERT_EQ(host.refills.size(), 1);
    EXPECT_EQ(host.refills[0].size(), 1);
    EXPECT_EQ(host.captionStyles, QList<bool>({false}));
    EXPECT_EQ(data.jwFolder, "/srv/jw/");

    const QStringList expected = {"False", "管理 太郎", "第123号", "設計室", "登録456", "大阪市", "06-1", "06-2", "1"};
    for (int field = 0; field < OfficeData::FieldCount; ++field) {
        EXPECT_EQ(ReadQuiren(SectionOfficeData, OfficeData::key(field)), expected[field]) << field;
        EXPECT_EQ(data.office[field], expected[field]) << field;
    }
    EXPECT_EQ(ReadQuiren(SectionSettings, "WallCoefficeient"), "63");
    EXPECT_EQ(ReadQuiren(SectionSettings, "PafKind"), "False");
    EXPECT_EQ(ReadQuiren(SectionSettings, "Mod"), "2");
    EXPECT_EQ(ReadQuiren(SectionSettings, "JW_Path"), "/srv/jw/");
}

TEST_F(OptionsWindowTest, CancelStoresNothing)
{
    writeWalls("\"A\",2.5\r\n");
    auto window = open();
    const AppData before = data;
    clickEntry(*window, 0);
    answers = {MsgAnswer::Ok};
    child<QPushButton>(*window, "WallRegst_2")->click();
    child<QLineEdit>(*window, "OfficeRegst_0")->setText("変更");
    child<QSpinBox>(*window, "Mtimes")->setValue(70);
    child<QLineEdit>(*window, "tbJWpath")->setText("/elsewhere/");
    QTest::keyClicks(child<QLineEdit>(*window, "tbJWpath"), "x");

    child<QPushButton>(*window, "cmdCancel")->click();
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_EQ(test::readAll(WallListPath(folder)), "\"A\",2.5\r\n");
    EXPECT_EQ(data.walls.size(), 1);
    EXPECT_EQ(data.jwFolder, before.jwFolder);
    EXPECT_EQ(data.office, before.office);
    EXPECT_TRUE(host.refills.isEmpty());
    EXPECT_TRUE(host.captionStyles.isEmpty());
    EXPECT_EQ(ReadQuiren(SectionSettings, "WallCoefficeient"), QString());
    EXPECT_EQ(ReadQuiren(SectionSettings, "JW_Path"), QString());
    EXPECT_EQ(ReadQuiren(SectionOfficeData, "OfficeName"), QString());
}

TEST_F(OptionsWindowTest, AWallFileThatCannotBeWrittenKeepsTheWindowOpen)
{
    // The program folder is gone: "WallListData" cannot be written there.
    data.programFolder = folder + "/missing/folder";
    WriteAppPath(data.programFolder);
    auto window = open();
    child<QLineEdit>(*window, "AuthorizationText_0")->setText("A");
    child<QLineEdit>(*window, "AuthorizationText_1")->setText("2");
    child<QPushButton>(*window, "WallRegst_0")->click();
    child<QLineEdit>(*window, "OfficeRegst_0")->setText("設計室");

    child<QPushButton>(*window, "cmdOK")->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("WallListData")) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(Str(S::WallsNotStored)));
    EXPECT_NE(window->result(), QDialog::Accepted);
    // The walls typed are still there; the program's list and the open
    // windows did not take what was not stored; the rest was stored.
    EXPECT_EQ(window->workingWalls().size(), 1);
    EXPECT_TRUE(data.walls.isEmpty());
    EXPECT_TRUE(host.refills.isEmpty());
    EXPECT_EQ(host.captionStyles.size(), 1);
    EXPECT_EQ(ReadQuiren(SectionOfficeData, "OfficeName"), "設計室");
}

// Settings that cannot be written (the settings folder cannot be made) are
// reported with the reason and the window stays open with what was typed;
// the office data was once lost without a word.
TEST_F(OptionsWindowTest, SettingsThatCannotBeWrittenKeepTheWindowOpen)
{
    test::writeAll(configDir + "/plain", "x");
    SetSettingsFolder(configDir + "/plain/home");
    auto window = open();
    child<QLineEdit>(*window, "OfficeRegst_0")->setText("設計室");
    child<QPushButton>(*window, "cmdOK")->click();
    SetSettingsFolder(configDir);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("設定を保存できません：")) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains("ﾌｫﾙﾀﾞではありません")) << messages[0].toStdString();
    EXPECT_NE(window->result(), QDialog::Accepted);
    EXPECT_EQ(child<QLineEdit>(*window, "OfficeRegst_0")->text(), "設計室");
}

TEST_F(OptionsWindowTest, TheJwFolderAlwaysEndsInASlash)
{
    auto window = open();
    auto *path = child<QLineEdit>(*window, "tbJWpath");
    path->clear();
    QTest::keyClicks(path, "/data/jw");
    EXPECT_EQ(window->pendingJwFolder(), "/data/jw");
    window->apply();
    EXPECT_EQ(data.jwFolder, "/data/jw/");
    EXPECT_EQ(ReadQuiren(SectionSettings, "JW_Path"), "/data/jw/");
    EXPECT_EQ(path->text(), "/data/jw/");

    // A picker left with Cancel changes nothing.
    window->setFolderPicker([](QWidget *, QString &) { return false; });
    child<QPushButton>(*window, "Command1")->click();
    EXPECT_EQ(window->pendingJwFolder(), "/data/jw/");
}

TEST_F(OptionsWindowTest, CtrlTabGoesRoundTheTabs)
{
    auto window = open();
    auto *tabs = child<QTabWidget>(*window, "tbsOptions");
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    tabs->setCurrentIndex(3);
    QTest::keyClick(window->focusWidget() ? window->focusWidget() : window.get(), Qt::Key_Tab,
                    Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 0);
    QTest::keyClick(window->focusWidget() ? window->focusWidget() : window.get(), Qt::Key_Backtab,
                    Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs->currentIndex(), 3);

    window->selectNextTab();
    window->selectNextTab();
    EXPECT_EQ(tabs->currentIndex(), 1);
    window->selectPreviousTab();
    window->selectPreviousTab();
    EXPECT_EQ(tabs->currentIndex(), 3);
}

TEST_F(OptionsWindowTest, TheMacroImportFillsTheOfficePageOnly)
{
    auto window = open();
    auto *officeName = child<QLineEdit>(*window, "OfficeRegst_0");
    auto *printJudge = child<QCheckBox>(*window, "PrintJudge");
    officeName->setText("手入力");
    printJudge->setChecked(true);

    // Absent: the two-line message, every box as it was.
    child<QPushButton>(*window, "Command2")->click();
    EXPECT_EQ(messages, QStringList({"筋違計算マクロがインストールされていない、\n又は、設定が登録されていません。"}));
    EXPECT_EQ(officeName->text(), "手入力");
    EXPECT_TRUE(printJudge->isChecked());

    QDir().mkpath(configDir + "/Tsly");
    test::writeAll(iniPath("Tsly"), QStringLiteral("[suji]\nOfficeName=マクロ設計\nType=2\nName=鈴木\n"
                                                   "Tel=011\nprint=no\n")
                                        .toUtf8());
    messages.clear();
    child<QLineEdit>(*window, "OfficeRegst_2")->setText("消える住所");
    child<QPushButton>(*window, "Command2")->click();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(officeName->text(), "マクロ設計");
    EXPECT_TRUE(child<QRadioButton>(*window, "BulderKind_1")->isChecked());
    EXPECT_EQ(child<QLineEdit>(*window, "BulderInfo_0")->text(), "鈴木");
    EXPECT_EQ(child<QLineEdit>(*window, "OfficeRegst_3")->text(), "011");
    EXPECT_EQ(child<QLineEdit>(*window, "OfficeRegst_2")->text(), QString());
    EXPECT_FALSE(printJudge->isChecked());

    // Shown only: Cancel keeps the stored record.
    child<QPushButton>(*window, "cmdCancel")->click();
    EXPECT_EQ(ReadQuiren(SectionOfficeData, "OfficeName"), QString());
    EXPECT_EQ(ReadQuiren(SectionOfficeData, "Type"), QString());
}

// The main window opens the window from its menu and from a calculation
// window's; Apply refills the active calculation window's certified-wall
// choice only, every window takes the naming style, and every open sheet,
// the inactive one too, is worked out again with the new wall.
TEST_F(OptionsWindowTest, TheMainWindowsMenusOpenItAndApplyReachesTheOpenWindows)
{
    AppData &program = AppData::instance();
    program.programFolder = folder;
    program.walls.clear();
    auto main = std::make_unique<MainWindow>(false);
    main->load();
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    CalcWindow *first = main->activeCalcWindow();
    ASSERT_NE(first, nullptr);
    CalcWindow *second = main->createCalcWindow(RuleSetKind::Old);
    main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(second->parentWidget()));
    ASSERT_EQ(main->activeCalcWindow(), second);
    auto *firstWalls = first->findChild<QComboBox *>("A_Wall");
    auto *secondWalls = second->findChild<QComboBox *>("A_Wall");
    ASSERT_TRUE(firstWalls && secondWalls);
    EXPECT_EQ(secondWalls->itemText(0), "未登録です");
    // Both sheets name the wall before the office knows it.
    for (CalcWindow *calc : {first, second}) {
        FramingRow &row = calc->sheet().row(0, 0);
        row[ColKind] = QStringLiteral("合板");
        row[ColLength0] = QStringLiteral("1.82");
        row[ColPlaces0] = QStringLiteral("2");
    }

    bool opened = false;
    QTimer::singleShot(0, [&opened] {
        auto *window = qobject_cast<OptionsWindow *>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        opened = true;
        window->findChild<QLineEdit *>("AuthorizationText_0")->setText("合板");
        window->findChild<QLineEdit *>("AuthorizationText_1")->setText("2.5");
        window->findChild<QPushButton *>("WallRegst_0")->click();
        window->findChild<QRadioButton *>("pafoMethod_1")->setChecked(true);
        window->findChild<QPushButton *>("cmdOK")->click();
    });
    second->action("mnuViewOptions")->trigger();
    ASSERT_TRUE(opened);

    EXPECT_EQ(secondWalls->count(), 1);
    EXPECT_EQ(secondWalls->itemText(0), "合板：倍率2.5");
    EXPECT_TRUE(secondWalls->isEnabled());
    EXPECT_EQ(firstWalls->itemText(0), "未登録です");
    EXPECT_EQ(ReadQuiren(SectionSettings, "PafKind"), "False");
    // 1.82 m × 2 places × 2.5 = 9.1 m, shown in each window's judgement grid.
    for (CalcWindow *calc : {first, second}) {
        EXPECT_EQ(calc->judgementGrid()->model()->index(2, JudgeSum0).data().toString(), "9.1000");
        EXPECT_FALSE(calc->sheet().changed);
    }
    // Both windows name the directions in the new style.
    const QString style = QString(Str(S::BeamDirectionWallArea));
    for (CalcWindow *calc : {first, second}) {
        bool found = false;
        for (QLabel *label : calc->findChildren<QLabel *>())
            found = found || label->text().startsWith(style);
        EXPECT_TRUE(found);
    }

    // The main window's own menu item, with Cancel.
    opened = false;
    QTimer::singleShot(0, [&opened] {
        auto *window = qobject_cast<OptionsWindow *>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        opened = true;
        window->findChild<QPushButton *>("cmdCancel")->click();
    });
    main->showOptions();
    EXPECT_TRUE(opened);
    main->closeAllCalcWindows();
    program.walls.clear();
}
