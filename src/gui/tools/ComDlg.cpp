#include "gui/tools/ComDlg.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

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
    QFileDialog dialog(request.owner);
    // Left empty, the dialog titles itself "Open" or "Save As" in the
    // user's language.
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    if (request.action == ComDlgSaveAs) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The name typed is used as it is: no extension is added, and an
        // existing file is replaced without a question unless asked for.
        dialog.setOption(QFileDialog::DontConfirmOverwrite,
                         (request.flags & OFN_OVERWRITEPROMPT) == 0);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.nameFilters.isEmpty())
        dialog.setNameFilters(request.nameFilters);
    dialog.setDirectory(request.startFolder);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(QFileInfo(request.proposedName).fileName());

    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

} // namespace

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
