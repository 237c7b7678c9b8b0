#include "gui/tools/ComDlg.h"

#include "core/text/StringTable.h"
#include "gui/widgets/MessageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QScreen>
#include <QTreeView>

#include <algorithm>

namespace quiren {

namespace {

FileDialogResponder &responder()
{
    static FileDialogResponder r;
    return r;
}

// A mask list as the type list writes it: "*.qrn;*.QRN" -> "*.qrn *.QRN".
QString masksOf(const QString &pattern)
{
    return pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' ')).trimmed();
}

QString showDialog(const FileDialogRequest &request)
{
    FileDialog dialog(request);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.chosenPath();
}

} // namespace

QIcon NameOnlyIconProvider::icon(const QFileInfo &info) const
{
    if (info.isRoot())
        return icon(Drive);
    return icon(info.isDir() ? Folder : File);
}

QString NameOnlyIconProvider::type(const QFileInfo &info) const
{
    // Folders, devices and the like are named by their kind alone; Qt's own
    // word for a folder has no Japanese form in its translations.
    if (info.isDir())
        return Str(S::FolderType);
    if (!info.isFile())
        return QFileIconProvider::type(info);
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    return mime.comment().isEmpty() ? mime.name() : mime.comment();
}

FileDialog::FileDialog(const FileDialogRequest &request)
    : QFileDialog(request.owner)
{
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::DontUseCustomDirectoryIcons);
    setIconProvider(&m_icons);
    // Left empty, the dialog titles itself "Open" or "Save As" in the
    // user's language.
    if (!request.title.isEmpty())
        setWindowTitle(request.title);
    if (request.action == ComDlgSaveAs) {
        setAcceptMode(QFileDialog::AcceptSave);
        setFileMode(QFileDialog::AnyFile);
        // The name typed is used as it is: no extension is added, and an
        // existing file is replaced without a question unless asked for.
        setOption(QFileDialog::DontConfirmOverwrite, (request.flags & OFN_OVERWRITEPROMPT) == 0);
    } else {
        setAcceptMode(QFileDialog::AcceptOpen);
        setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.nameFilters.isEmpty())
        setNameFilters(request.nameFilters);
    setDirectory(request.startFolder);
    if (!request.proposedName.isEmpty())
        selectFile(QFileInfo(request.proposedName).fileName());
    widenColumns();
}

// The detail view's columns as wide as Japanese names and dates need; Qt
// sizes them for short Latin words.
void FileDialog::widenColumns()
{
    int columns = 0;
    for (QTreeView *details : findChildren<QTreeView *>()) {
        QHeaderView *header = details->header();
        header->setMinimumSectionSize(80);
        header->resizeSection(0, 320);
        // Size, type (a Japanese description such as "壁量計算ファイル (旧形式)"),
        // date.
        const int widths[] = {110, 170, 150};
        for (int column = 1; column < header->count(); ++column)
            header->resizeSection(column, widths[std::min(column - 1, 2)]);
        columns = std::max(columns, header->length());
    }
    // Wide enough for every column beside the places list, as far as the
    // screen allows: a date behind a sideways scroll bar is not read.
    int wanted = std::max(width(), columns + 260);
    if (const QScreen *screen = this->screen())
        wanted = std::min(wanted, screen->availableGeometry().width());
    resize(std::max(wanted, 760), std::max(height(), 460));
}

QString FileDialog::chosenPath() const
{
    if (!m_typed.isEmpty())
        return m_typed;
    const QStringList chosen = selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

void FileDialog::accept()
{
    m_typed.clear();
    const auto *edit = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (acceptMode() != AcceptSave || !edit || !edit->text().contains(QLatin1Char('"'))) {
        QFileDialog::accept();
        return;
    }
    const QString typed = directory().absoluteFilePath(edit->text());
    const QFileInfo target(typed);
    if (target.isDir()) {
        setDirectory(typed);
        return;
    }
    if (target.exists() && !testOption(DontConfirmOverwrite)
        && ShowMessage(this, QDir::toNativeSeparators(typed) + Str(S::ReplaceFile), MsgButtons::YesNo,
                       MsgIcon::Exclamation)
               != MsgAnswer::Yes)
        return;
    m_typed = typed;
    QDialog::accept();
}

void SetFileDialogResponder(FileDialogResponder r)
{
    responder() = std::move(r);
}

QStringList clsComDlg::nameFilters(const QString &filter)
{
    QStringList entries;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString masks = masksOf(parts[i + 1]);
        if (masks.isEmpty())
            continue;
        // "筋違計算ﾌｧｲﾙ (*.qrn)" already names its pattern; the dialog reads
        // the masks from the brackets.
        if (description.contains(QLatin1Char('(') + masks + QLatin1Char(')')))
            entries << description;
        else if (description.isEmpty())
            entries << masks;
        else
            entries << description + QStringLiteral(" (") + masks + QLatin1Char(')');
    }
    return entries;
}

FileDialogRequest clsComDlg::request(short action) const
{
    FileDialogRequest r;
    r.action = action;
    r.title = DialogTitle;
    r.nameFilters = nameFilters(Filter);
    r.proposedName = FileName;
    r.flags = Flags;
    r.owner = OwnerhWnd.data();

    // A proposed full path opens its own folder; a bare name opens the
    // folder last chosen in this run, else the current folder.
    const QFileInfo proposed(FileName);
    if (!FileName.isEmpty() && proposed.isAbsolute())
        r.startFolder = proposed.absolutePath();
    else if (!m_lastFolder.isEmpty())
        r.startFolder = m_lastFolder;
    else
        r.startFolder = QDir::currentPath();
    return r;
}

void clsComDlg::setAction(short action)
{
    if (action != ComDlgOpen && action != ComDlgSaveAs) {
        FileName.clear();
        return;
    }
    const FileDialogRequest r = request(action);
    QString chosen = responder() ? responder()(r) : showDialog(r);
    if (!chosen.isEmpty()) {
        // A relative answer (only a test gives one) is taken in the start folder.
        chosen = QDir(r.startFolder).absoluteFilePath(chosen);
        m_lastFolder = QFileInfo(chosen).absolutePath();
    }
    FileName = chosen;
}

clsComDlg &CommonDialog()
{
    static clsComDlg dialog;
    return dialog;
}

} // namespace quiren
