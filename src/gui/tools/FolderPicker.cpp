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

QString FolderPicker::nearestExistingFolder(const QString &folder)
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
    , m_volumes(volumes)
{
    setObjectName(QStringLiteral("frmGetDir"));
    setWindowTitle(Str(S::JwFolderTitle));

    m_cntDrv = new QComboBox(this);
    m_cntDrv->setObjectName(QStringLiteral("cntDrv"));
    for (const Volume &volume : m_volumes)
        m_cntDrv->addItem(volume.label, volume.rootPath);

    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setReadOnly(true);

    m_cntDir = new QTreeView(this);
    m_cntDir->setObjectName(QStringLiteral("cntDir"));
    m_cntDir->setModel(m_model);
    m_cntDir->setHeaderHidden(true);
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_cntDir->hideColumn(column);
    m_cntDir->setSelectionMode(QAbstractItemView::SingleSelection);
    m_cntDir->setMinimumSize(360, 320);

    m_chosenLabel = new QLabel(this);
    m_chosenLabel->setObjectName(QStringLiteral("lblChosen"));
    m_chosenLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_chosenLabel->setWordWrap(true);

    m_okButton = new QPushButton(Str(S::Ok), this);
    m_okButton->setObjectName(QStringLiteral("Command1_0"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(Str(S::Cancel), this);
    m_cancelButton->setObjectName(QStringLiteral("Command1_1"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_cntDrv);
    layout->addWidget(m_cntDir, 1);
    layout->addWidget(m_chosenLabel);
    layout->addLayout(buttons);

    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_cntDrv, &QComboBox::activated, this, &FolderPicker::onVolumeActivated);
    connect(m_cntDir->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { onCurrentFolderChanged(current); });
    connect(m_model, &QFileSystemModel::rowsInserted, this,
            [this](const QModelIndex &parent, int first, int last) { hideOtherVolumes(parent, first, last); });
    // The model reads folders in the background: once a folder on the way to
    // the chosen one has been read, open the way and show the chosen folder.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this](const QString &loaded) {
        if (m_revealPending && (loaded == m_chosen || IsOnVolume(m_chosen, loaded)))
            revealChosen();
    });
    // Folders are sorted after they have been read, which moves the rows.
    connect(m_model, &QFileSystemModel::layoutChanged, this, [this] {
        if (m_revealPending)
            m_cntDir->scrollTo(m_cntDir->currentIndex(), QAbstractItemView::PositionAtCenter);
    });

    openFolder(pendingFolder);
}

bool FolderPicker::pick(QWidget *owner, QString &pendingFolder)
{
    FolderPicker picker(owner, pendingFolder);
    if (picker.exec() != QDialog::Accepted)
        return false;
    pendingFolder = picker.resultFolder();
    return true;
}

QString FolderPicker::resultFolder() const
{
    return m_chosen.endsWith(QLatin1Char('/')) ? m_chosen : m_chosen + QLatin1Char('/');
}

int FolderPicker::currentVolume() const
{
    return m_cntDrv->currentIndex();
}

int FolderPicker::volumeIndexOf(const QString &folder) const
{
    int best = -1;
    for (int i = 0; i < m_volumes.size(); ++i) {
        if (IsOnVolume(folder, m_volumes[i].rootPath)
            && (best < 0 || m_volumes[i].rootPath.size() > m_volumes[best].rootPath.size()))
            best = i;
    }
    return best;
}

void FolderPicker::showVolume(int index)
{
    m_volumeRoot = index >= 0 ? m_volumes[index].rootPath : QStringLiteral("/");
    {
        const QSignalBlocker blocker(m_cntDrv);
        m_cntDrv->setCurrentIndex(index);
    }
    m_model->setRootPath(m_volumeRoot);
    const QModelIndex rootIndex = m_model->index(m_volumeRoot);
    // The tree starts at the volume's own folder: show its parent's children,
    // with every other child hidden.
    m_cntDir->setRootIndex(rootIndex.parent());
    hideOtherVolumes(rootIndex.parent(), 0, m_model->rowCount(rootIndex.parent()) - 1);
    m_cntDir->expand(rootIndex);
}

void FolderPicker::hideOtherVolumes(const QModelIndex &parent, int first, int last)
{
    if (parent != m_cntDir->rootIndex())
        return;
    for (int row = first; row <= last; ++row) {
        const QModelIndex child = m_model->index(row, 0, parent);
        m_cntDir->setRowHidden(row, parent, m_model->filePath(child) != m_volumeRoot);
    }
}

void FolderPicker::openFolder(const QString &folder)
{
    QString path = nearestExistingFolder(folder);
    int volume = volumeIndexOf(path);
    if (volume < 0) {
        // A folder on no listed volume: start at the first volume's root.
        volume = m_volumes.isEmpty() ? -1 : 0;
        path = volume >= 0 ? m_volumes[0].rootPath : QStringLiteral("/");
    }
    if (volume != m_cntDrv->currentIndex() || m_volumeRoot.isEmpty())
        showVolume(volume);

    m_chosen = path;
    m_chosenLabel->setText(m_chosen);
    m_revealPending = true;
    revealChosen();
}

void FolderPicker::revealChosen()
{
    const QModelIndex index = m_model->index(m_chosen);
    if (!index.isValid())
        return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        m_cntDir->expand(parent);
    if (m_cntDir->currentIndex() != index)
        m_cntDir->setCurrentIndex(index);
    m_cntDir->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

bool FolderPicker::selectVolume(int index)
{
    if (index < 0 || index >= m_volumes.size())
        return false;
    if (!VolumeReady(m_volumes[index].rootPath)) {
        {
            const QSignalBlocker blocker(m_cntDrv);
            m_cntDrv->setCurrentIndex(volumeIndexOf(m_chosen));
        }
        ShowMessage(this, Str(S::DeviceNotReady), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    openFolder(m_volumes[index].rootPath);
    return true;
}

void FolderPicker::onVolumeActivated(int index)
{
    if (m_volumes.value(index).rootPath == m_volumeRoot)
        return;
    selectVolume(index);
}

void FolderPicker::onCurrentFolderChanged(const QModelIndex &current)
{
    if (!current.isValid())
        return;
    const QString path = QDir::cleanPath(m_model->filePath(current));
    if (path != m_chosen)
        m_revealPending = false;  // the user has moved on
    m_chosen = path;
    m_chosenLabel->setText(m_chosen);
}

} // namespace quiren
