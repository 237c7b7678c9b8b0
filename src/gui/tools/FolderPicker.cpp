#include "gui/tools/FolderPicker.h"

#include "core/text/StringTable.h"
#include "gui/widgets/MessageBox.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace quiren {

namespace {

// `folder` lies on the volume mounted at `root`.
bool IsOnVolume(const QString &folder, const QString &root)
{
    if (root == QLatin1String("/"))
        return folder.startsWith(QLatin1Char('/'));
    return folder == root || folder.startsWith(root + QLatin1Char('/'));
}

// Whether a volume can be read now (mounted, a folder, listable).
bool VolumeReady(const QString &root)
{
    const QFileInfo info(root);
    if (!info.exists() || !info.isDir() || !info.isReadable() || !info.isExecutable())
        return false;
    const QStorageInfo storage(root);
    return storage.isValid() && storage.isReady();
}

} // namespace

QList<FolderPicker::Volume> FolderPicker::MountedVolumes()
{
    QList<Volume> volumes;
    QStringList seen;
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        const QString root = storage.rootPath();
        if (!storage.isValid() || seen.contains(root) || !QFileInfo(root).isDir())
            continue;
        seen.append(root);
        QString label = root;
        const QString name = storage.displayName();
        if (!name.isEmpty() && name != root)
            label += QStringLiteral("  [") + name + QLatin1Char(']');
        volumes.append({root, label});
    }
    if (!seen.contains(QStringLiteral("/")))
        volumes.append({QStringLiteral("/"), QStringLiteral("/")});
    std::stable_sort(volumes.begin(), volumes.end(), [](const Volume &a, const Volume &b) {
        return a.rootPath < b.rootPath;  // "/" sorts first
    });
    return volumes;
}

QString FolderPicker::NearestExistingFolder(const QString &folder)
{
    QString path = folder.isEmpty() ? QDir::homePath() : QFileInfo(folder).absoluteFilePath();
    path = QDir::cleanPath(path);
    while (!QFileInfo(path).isDir()) {
        const QString parent = QDir::cleanPath(path + QStringLiteral("/.."));
        if (parent == path)
            return QStringLiteral("/");
        path = parent;
    }
    return path;
}

FolderPicker::FolderPicker(QWidget *owner, const QString &pendingFolder, const QList<Volume> &volumes)
    : QDialog(owner)
    , volumes_(volumes)
{
    setObjectName(QStringLiteral("frmGetDir"));
    setWindowTitle(Str(S::JwFolderTitle));

    cntDrv_ = new QComboBox(this);
    cntDrv_->setObjectName(QStringLiteral("cntDrv"));
    for (const Volume &volume : volumes_)
        cntDrv_->addItem(volume.label, volume.rootPath);

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setReadOnly(true);

    cntDir_ = new QTreeView(this);
    cntDir_->setObjectName(QStringLiteral("cntDir"));
    cntDir_->setModel(model_);
    cntDir_->setHeaderHidden(true);
    for (int column = 1; column < model_->columnCount(); ++column)
        cntDir_->hideColumn(column);
    cntDir_->setSelectionMode(QAbstractItemView::SingleSelection);
    cntDir_->setMinimumSize(360, 320);

    chosenLabel_ = new QLabel(this);
    chosenLabel_->setObjectName(QStringLiteral("lblChosen"));
    chosenLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    chosenLabel_->setWordWrap(true);

    okButton_ = new QPushButton(Str(S::Ok), this);
    okButton_->setObjectName(QStringLiteral("Command1_0"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(Str(S::Cancel), this);
    cancelButton_->setObjectName(QStringLiteral("Command1_1"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(cntDrv_);
    layout->addWidget(cntDir_, 1);
    layout->addWidget(chosenLabel_);
    layout->addLayout(buttons);

    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cntDrv_, &QComboBox::activated, this, &FolderPicker::onVolumeActivated);
    connect(cntDir_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { onCurrentFolderChanged(current); });
    connect(model_, &QFileSystemModel::rowsInserted, this,
            [this](const QModelIndex &parent, int first, int last) { hideOtherVolumes(parent, first, last); });
    // The model reads folders in the background: once a folder on the way to
    // the chosen one has been read, open the way and show the chosen folder.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this](const QString &loaded) {
        if (revealPending_ && (loaded == chosen_ || IsOnVolume(chosen_, loaded)))
            revealChosen();
    });
    // Folders are sorted after they have been read, which moves the rows.
    connect(model_, &QFileSystemModel::layoutChanged, this, [this] {
        if (revealPending_)
            cntDir_->scrollTo(cntDir_->currentIndex(), QAbstractItemView::PositionAtCenter);
    });

    openFolder(pendingFolder);
}

bool FolderPicker::Pick(QWidget *owner, QString &pendingFolder)
{
    FolderPicker picker(owner, pendingFolder);
    if (picker.exec() != QDialog::Accepted)
        return false;
    pendingFolder = picker.resultFolder();
    return true;
}

QString FolderPicker::resultFolder() const
{
    return chosen_.endsWith(QLatin1Char('/')) ? chosen_ : chosen_ + QLatin1Char('/');
}

int FolderPicker::currentVolume() const
{
    return cntDrv_->currentIndex();
}

int FolderPicker::volumeIndexOf(const QString &folder) const
{
    int best = -1;
    for (int i = 0; i < volumes_.size(); ++i) {
        if (IsOnVolume(folder, volumes_[i].rootPath)
            && (best < 0 || volumes_[i].rootPath.size() > volumes_[best].rootPath.size()))
            best = i;
    }
    return best;
}

void FolderPicker::showVolume(int index)
{
    volumeRoot_ = index >= 0 ? volumes_[index].rootPath : QStringLiteral("/");
    {
        const QSignalBlocker blocker(cntDrv_);
        cntDrv_->setCurrentIndex(index);
    }
    model_->setRootPath(volumeRoot_);
    const QModelIndex rootIndex = model_->index(volumeRoot_);
    // The tree starts at the volume's own folder: show its parent's children,
    // with every other child hidden.
    cntDir_->setRootIndex(rootIndex.parent());
    hideOtherVolumes(rootIndex.parent(), 0, model_->rowCount(rootIndex.parent()) - 1);
    cntDir_->expand(rootIndex);
}

void FolderPicker::hideOtherVolumes(const QModelIndex &parent, int first, int last)
{
    if (parent != cntDir_->rootIndex())
        return;
    for (int row = first; row <= last; ++row) {
        const QModelIndex child = model_->index(row, 0, parent);
        cntDir_->setRowHidden(row, parent, model_->filePath(child) != volumeRoot_);
    }
}

void FolderPicker::openFolder(const QString &folder)
{
    QString path = NearestExistingFolder(folder);
    int volume = volumeIndexOf(path);
    if (volume < 0) {
        // A folder on no listed volume: start at the first volume's root.
        volume = volumes_.isEmpty() ? -1 : 0;
        path = volume >= 0 ? volumes_[0].rootPath : QStringLiteral("/");
    }
    if (volume != cntDrv_->currentIndex() || volumeRoot_.isEmpty())
        showVolume(volume);

    chosen_ = path;
    chosenLabel_->setText(chosen_);
    revealPending_ = true;
    revealChosen();
}

void FolderPicker::revealChosen()
{
    const QModelIndex index = model_->index(chosen_);
    if (!index.isValid())
        return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        cntDir_->expand(parent);
    if (cntDir_->currentIndex() != index)
        cntDir_->setCurrentIndex(index);
    cntDir_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

bool FolderPicker::selectVolume(int index)
{
    if (index < 0 || index >= volumes_.size())
        return false;
    if (!VolumeReady(volumes_[index].rootPath)) {
        {
            const QSignalBlocker blocker(cntDrv_);
            cntDrv_->setCurrentIndex(volumeIndexOf(chosen_));
        }
        ShowMessage(this, Str(S::DeviceNotReady), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    openFolder(volumes_[index].rootPath);
    return true;
}

void FolderPicker::onVolumeActivated(int index)
{
    if (volumes_.value(index).rootPath == volumeRoot_)
        return;
    selectVolume(index);
}

void FolderPicker::onCurrentFolderChanged(const QModelIndex &current)
{
    if (!current.isValid())
        return;
    const QString path = QDir::cleanPath(model_->filePath(current));
    if (path != chosen_)
        revealPending_ = false;  // the user has moved on
    chosen_ = path;
    chosenLabel_->setText(chosen_);
}

} // namespace quiren
