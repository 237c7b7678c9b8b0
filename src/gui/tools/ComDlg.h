#pragma once

#include <QFileDialog>
#include <QFileIconProvider>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

// clsComDlg: the Open and Save As file dialogs behind a few properties. The
// document commands set Filter, Flags and FileName, write Action and read
// FileName back: the chosen full path, or empty when the user cancelled.
//
// One object serves the whole run (CommonDialog()); the main window sets its
// OwnerhWnd when it loads. Printing uses the same object for its PDF file.
namespace quiren {

// The dialog option flags the program passes (OFN_ values). Only these two
// change anything here; any other bit is kept and ignored.
inline constexpr quint32 OFN_OVERWRITEPROMPT = 0x2;  // Save As asks before replacing a file
inline constexpr quint32 OFN_HIDEREADONLY = 0x4;     // no read-only check box (there is none anyway)

inline constexpr short ComDlgOpen = 1;
inline constexpr short ComDlgSaveAs = 2;

// What a dialog is about to show, as a test sees it.
struct FileDialogRequest {
    short action = ComDlgOpen;      // 1 Open, 2 Save As
    QString title;                  // DialogTitle (empty: the usual title)
    QStringList nameFilters;        // the entries of the type list, "desc (*.ext)"
    QString proposedName;           // FileName before the call
    QString startFolder;            // where the dialog opens
    quint32 flags = 0;
    QWidget *owner = nullptr;
};

// Tests answer the dialogs in the user's place: the responder returns the
// chosen path, or an empty text for Cancel. An empty responder brings back
// the real dialog.
using FileDialogResponder = std::function<QString(const FileDialogRequest &)>;
void SetFileDialogResponder(FileDialogResponder responder);

// Icons and type names from a file's kind and name only. Qt's own guess
// opens each file to look at its first bytes, on the window's thread: a file
// that never answers (under /proc, say) would freeze the program, with
// every unsaved window in it.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo &info) const override;
    QString type(const QFileInfo &info) const override;
};

// The dialog Action shows: Qt's own dialog (the desktop's may look into
// files as well), decorated by NameOnlyIconProvider. In a Save dialog the
// name typed is one name, taken as typed: Qt reads double quotes in it as a
// list of names ("a" "b") and would save under the quoted part alone.
class FileDialog : public QFileDialog {
public:
    explicit FileDialog(const FileDialogRequest &request);

    // The full path chosen, once the dialog was accepted.
    QString chosenPath() const;

    void accept() override;

private:
    NameOnlyIconProvider m_icons;
    QString m_typed;   // a Save name typed with double quotes, as a full path
};

class clsComDlg {
public:
    // Owner of the dialog (the main window).
    QPointer<QWidget> OwnerhWnd;
    // Pairs of description and pattern, separated by "|":
    // "筋違計算ﾌｧｲﾙ (*.qrn)|*.qrn". Patterns may list several masks
    // separated by ";".
    QString Filter;
    quint32 Flags = 0;
    QString DialogTitle;
    // Before Action: the proposed name (bare, or a full path whose folder
    // the dialog opens). After: the chosen full path, or empty.
    QString FileName;

    // Writing Action shows the dialog: ComDlgOpen or ComDlgSaveAs. Any other
    // value shows nothing and leaves FileName empty. Returns when the dialog
    // has closed.
    void setAction(short action);

    // The type-list entries of a bar-separated filter: each description
    // whose text does not already name its pattern gets it in brackets.
    static QStringList NameFilters(const QString &filter);

    // The request Action would show now (start folder included).
    FileDialogRequest request(short action) const;

private:
    QString m_lastFolder;   // folder of the last file chosen in this run
};

// The program's one dialog object.
clsComDlg &CommonDialog();

} // namespace quiren
