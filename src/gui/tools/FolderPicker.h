#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QModelIndex;
class QPushButton;
class QTreeView;

namespace quiren {

// frmGetDir: the small modal dialog in which the user picks the folder that
// receives the JW-CAD coordinate file. A list of the machine's volumes
// (cntDrv) and a folder tree of the current volume (cntDir).
class FolderPicker : public QDialog {
    Q_OBJECT

public:
    struct Volume {
        QString rootPath;  // "/", "/media/usb"
        QString label;     // what the volume list shows
    };

    // The mounted volumes of the machine, "/" first.
    static QList<Volume> MountedVolumes();

    // Opens at `pendingFolder` (or, when it no longer exists, at its nearest
    // existing parent).
    explicit FolderPicker(QWidget *owner, const QString &pendingFolder,
                          const QList<Volume> &volumes = MountedVolumes());

    // Shows the picker modal. On OK the chosen folder, ending in "/", replaces
    // `pendingFolder` and the result is true; Cancel leaves it unchanged.
    static bool pick(QWidget *owner, QString &pendingFolder);

    // The chosen folder: no trailing "/" except at the root "/".
    QString chosenFolder() const { return m_chosen; }
    // What OK hands back: the chosen folder followed by "/" ("/" at the root).
    QString resultFolder() const;

    // Switches the tree to volume `index` of the list. A volume that cannot
    // be read is refused with a message; both lists stay where they were.
    bool selectVolume(int index);
    // Opens the tree at `folder` (its nearest existing parent when missing).
    void openFolder(const QString &folder);
    int currentVolume() const;

    // The nearest folder at or above `folder` that exists ("/" at worst).
    static QString nearestExistingFolder(const QString &folder);

private:
    int volumeIndexOf(const QString &folder) const;
    void showVolume(int index);
    void revealChosen();
    void hideOtherVolumes(const QModelIndex &parent, int first, int last);
    void onCurrentFolderChanged(const QModelIndex &current);
    void onVolumeActivated(int index);

    QList<Volume> m_volumes;
    QString m_volumeRoot;
    QString m_chosen;
    bool m_revealPending = false;
    QComboBox *m_cntDrv = nullptr;
    QTreeView *m_cntDir = nullptr;
    QFileSystemModel *m_model = nullptr;
    QLabel *m_chosenLabel = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

} // namespace quiren
