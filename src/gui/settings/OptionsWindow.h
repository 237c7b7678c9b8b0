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

class CertifiedWallPage;

// What Apply in the options window does to the open calculation windows.
// The main window implements it.
class OptionsHost {
public:
    virtual ~OptionsHost() = default;
    // Refills the certified-wall choice (A_Wall) of the active calculation
    // window from `walls`; does nothing when no calculation window is active.
    // Other calculation windows keep their lists.
    virtual void refillActiveWallChoice(const CertifiedWallList &walls) = 0;
    // Every open calculation window rewrites its direction captions in the
    // naming style `pafKind` (True: named after the walls they are parallel to).
    virtual void SetDirectionCaptions(bool pafKind) = 0;
    // Every open sheet is worked out again with the settings just stored
    // through OfficeChanges, not through the host.
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
    static void showModal(QWidget *owner, OptionsHost *host);

    // Stores everything in the fixed order. False when "WallListData" could
    // not be written (the user has been told; the walls typed stay in the
    // window, everything else is stored).
    bool apply();

    // The certified-wall list as edited so far (not yet stored).
    const CertifiedWallList &workingWalls() const;
    QString pendingJwFolder() const { return m_pendingJwFolder; }

    // The folder picker the "参照" button opens; tests put their own here.
    // It gets the pending folder and replaces it when the user chose one.
    using FolderPickFn = std::function<bool(QWidget *owner, QString &pendingFolder)>;
    void setFolderPicker(FolderPickFn pick) { m_pickFolder = std::move(pick); }

    void selectNextTab();
    void selectPreviousTab();


private:
    void buildOfficePage(QWidget *page);
    void buildWindPage(QWidget *page);
    void buildOtherPage(QWidget *page);
    void fill();
    void showOffice(const OfficeData &office);
    OfficeData officeFromControls() const;
    void onImportMacro();
    void onBrowse();
    void onOk();

    AppData &m_data;
    OptionsHost *m_host = nullptr;
    FolderPickFn m_pickFolder;

    QString m_pendingJwFolder;
    int m_moduleIndex = 0;

    QTabWidget *m_tbsOptions = nullptr;
    // Office page
    QRadioButton *m_bulderKind[2] = {};
    QLineEdit *m_bulderInfo[2] = {};
    QLineEdit *m_officeRegst[5] = {};
    QCheckBox *m_printJudge = nullptr;
    QPushButton *m_command2 = nullptr;
    CertifiedWallPage *m_wallPage = nullptr;
    // Strong-wind page
    QSpinBox *m_mtimes = nullptr;
    QLabel *m_label11 = nullptr;
    // Other page
    QRadioButton *m_pafoMethod[2] = {};
    QComboBox *m_newSheetRules = nullptr;   // 0 the 2025 rules, 1 the old ones
    QComboBox *m_comMod = nullptr;
    QLineEdit *m_tbJWpath = nullptr;
    QPushButton *m_command1 = nullptr;
    // Buttons below the pages
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdCancel = nullptr;
    QPushButton *m_cmdApply = nullptr;
};

} // namespace quiren
