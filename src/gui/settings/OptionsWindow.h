#pragma once

#include "core/calc/CertifiedWall.h"
#include "core/settings/AppData.h"

#include <QDialog>
#include <QString>

#include <functional>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace quiren {

// What Apply in the options window does to the open calculation windows.
// The main window implements it.
class OptionsHost {
public:
    virtual ~OptionsHost() = default;
    // Refills the certified-wall choice (A_Wall) of the active calculation
    // window from `walls`; does nothing when no calculation window is active.
    // Other calculation windows keep their lists.
    virtual void RefillActiveWallChoice(const CertifiedWallList &walls) = 0;
    // Every open calculation window rewrites its direction captions in the
    // naming style `pafKind` (True: named after the walls they are parallel to).
    virtual void SetDirectionCaptions(bool pafKind) = 0;
};

// frmOptions: office data, certified walls, the strong-wind factor, the
// direction naming style, the module and the JW folder, in four tabs. It
// works on copies and stores everything on Apply or OK; Cancel stores nothing.
class OptionsWindow : public QDialog {
    Q_OBJECT

public:
    enum Page { OfficePage, WallPage, WindPage, OtherPage };

    // Loads the stored state (LoadOptionData) into the controls. `host` may
    // be null (no calculation window to update).
    OptionsWindow(QWidget *owner, OptionsHost *host, AppData &data = AppData::instance());

    // Opens the window modal over `owner` and returns when it is closed.
    static void ShowModal(QWidget *owner, OptionsHost *host);

    // Stores everything in the fixed order. False when "WallListData" could
    // not be written (the user has been told; the walls typed stay in the
    // window, everything else is stored).
    bool apply();

    // The certified-wall list as edited so far (not yet stored).
    const CertifiedWallList &workingWalls() const { return working_; }
    QString pendingJwFolder() const { return pendingJwFolder_; }

    // The folder picker the "参照" button opens; tests put their own here.
    // It gets the pending folder and replaces it when the user chose one.
    using FolderPickFn = std::function<bool(QWidget *owner, QString &pendingFolder)>;
    void setFolderPicker(FolderPickFn pick) { pickFolder_ = std::move(pick); }

    void selectNextTab();
    void selectPreviousTab();

    // The name check: more than 16 bytes in CP932 do not fit the printed frame.
    static bool NameFitsPrintFrame(const QString &name);

private:
    void buildOfficePage(QWidget *page);
    void buildWallPage(QWidget *page);
    void buildWindPage(QWidget *page);
    void buildOtherPage(QWidget *page);
    void fill();
    void showOffice(const OfficeData &office);
    OfficeData officeFromControls() const;
    void refreshWallList();
    bool bothWallBoxesFilled() const;
    bool confirmWallName();

    void onWallTextChanged(bool multiplierBox);
    void onWallBoxClicked();
    void onWallListClicked();
    void onRegister();
    void onEditOrReregister();
    void onDelete();
    void onImportMacro();
    void onBrowse();
    void onOk();

    bool eventFilter(QObject *watched, QEvent *event) override;

    AppData &data_;
    OptionsHost *host_ = nullptr;
    FolderPickFn pickFolder_;

    CertifiedWallList working_;
    QString pendingJwFolder_;
    int moduleIndex_ = 0;
    bool updatingWallList_ = false;
    // Captions of the register and edit buttons, read once.
    QString captionNewRegister_, captionEdit_, captionAddRegister_, captionReregister_;

    QTabWidget *tbsOptions_ = nullptr;
    // Office page
    QRadioButton *bulderKind_[2] = {};
    QLineEdit *bulderInfo_[2] = {};
    QLineEdit *officeRegst_[5] = {};
    QCheckBox *printJudge_ = nullptr;
    QPushButton *command2_ = nullptr;
    // Certified-wall page
    QListWidget *authorizationList_ = nullptr;
    QLineEdit *authorizationText_[2] = {};
    QPushButton *wallRegst_[3] = {};
    // Strong-wind page
    QSpinBox *mtimes_ = nullptr;
    QLabel *label11_ = nullptr;
    // Other page
    QRadioButton *pafoMethod_[2] = {};
    QComboBox *newSheetRules_ = nullptr;   // 0 the 2025 rules, 1 the old ones
    QComboBox *comMod_ = nullptr;
    QLineEdit *tbJWpath_ = nullptr;
    QPushButton *command1_ = nullptr;
    // Buttons below the pages
    QPushButton *cmdOK_ = nullptr;
    QPushButton *cmdCancel_ = nullptr;
    QPushButton *cmdApply_ = nullptr;
};

} // namespace quiren
