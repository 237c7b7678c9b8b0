#pragma once

#include "core/calc/CertifiedWall.h"

#include <QString>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace quiren {

// The options window's page of certified walls: the list of the office's
// walls, the two boxes a wall is typed into and the register, edit and
// delete buttons. It edits a working copy; the options window stores it on
// Apply.
class CertifiedWallPage : public QWidget {
    Q_OBJECT

public:
    // `listPath`: the file Apply writes the walls to, named on the page.
    CertifiedWallPage(const QString &listPath, QWidget *parent);

    // Shows `walls` as the working list, with every button off.
    void load(const CertifiedWallList &walls);
    const CertifiedWallList &walls() const { return m_working; }

    // The name check: more than 16 bytes in CP932 do not fit the printed frame.
    static bool nameFitsPrintFrame(const QString &name);

private:
    void refreshWallList();
    // Whether the multiplier box holds a value a certified wall may have;
    // when not, the user is told and the box gets the focus.
    bool multiplierRegistrable();
    bool bothWallBoxesFilled() const;
    bool confirmWallName();

    void onWallTextChanged(bool multiplierBox);
    void onWallBoxClicked();
    void onWallListClicked();
    void onRegister();
    void onEditOrReregister();
    void onDelete();

    bool eventFilter(QObject *watched, QEvent *event) override;

    CertifiedWallList m_working;
    bool m_updatingWallList = false;
    // Captions of the register and edit buttons, read once.
    QString m_captionNewRegister, m_captionEdit, m_captionAddRegister, m_captionReregister;

    QListWidget *m_authorizationList = nullptr;
    QLineEdit *m_authorizationText[2] = {};
    QPushButton *m_wallRegst[3] = {};
};

} // namespace quiren
