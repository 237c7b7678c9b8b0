#include "gui/documents/DocumentCommands.h"

#include "core/documents/CalcFile.h"
#include "core/calc/Balance.h"
#include "core/calc/SheetWalls.h"
#include "core/documents/RecentFiles.h"
#include "core/documents/SheetFile.h"
#include "core/text/StringTable.h"
#include "gui/calcwindow/CalcWindow.h"
#include "gui/documents/DocumentFrame.h"
#include "gui/documents/DocumentTable.h"
#include "gui/tools/ComDlg.h"
#include "gui/widgets/MessageBox.h"
#include "gui/widgets/WidgetSupport.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QVariant>

namespace quiren {

namespace {

void copyList(const QList<QAction *> &items, const QStringList &entries)
{
    if (items.size() <= RecentFiles::Count)
        return;
    items[0]->setVisible(true);
    for (int e = 0; e < entries.size() && e < RecentFiles::Count; ++e)
        ShowRecentPath(items[e + 1], entries[e]);
}

QStringList listedCaptions(DocumentFrame &frame)
{
    QStringList captions;
    const QList<QAction *> items = frame.recentFileActions();
    for (int i = 1; i < items.size(); ++i)
        captions << RecentPathOf(items[i]);
    return captions;
}

QString appTitle()
{
    return Str(S::AppTitle);
}

// A window gets its number: caption, tag and slot.
void takeNumber(DocumentFrame &frame, CalcWindow &window, int number)
{
    frame.documentTable().slot(number).window = &window;
    window.setDocumentNumber(number);
}

// The window has closed: its number is free again; with the last window
// gone the document commands go and the frame's own File menu shows the
// recent files.
void windowClosed(DocumentFrame &frame, CalcWindow &window)
{
    DocumentTable &table = frame.documentTable();
    table.release(table.numberOf(&window));
    if (!table.AnyCalcWindowOpen()) {
        frame.setDocumentCommandsEnabled(false);
        RefreshRecentFileMenus(frame);
    }
}

enum class CloseAnswer { Close, Stay };

// The question about unsaved changes for one changed window. Yes saves (to
// the window's own file when it has no title, else through the dialog
// proposing title & ".qrn"); the window may close only once that save has
// succeeded, so a cancelled dialog or a failed write keeps it open with its
// changes.
CloseAnswer askAboutChanges(DocumentFrame &frame, CalcWindow &window)
{
    const QString text = Str(S::OpenBracket) + window.caption() + Str(S::DataChanged)
        + QLatin1Char('\n') + Str(S::SaveChanges);
    const MsgAnswer answer = ShowMessage(frame.frameWidget(), text,
                                         MsgButtons::YesNoCancel, MsgIcon::Exclamation, appTitle());
    switch (answer) {
    case MsgAnswer::No:
        return CloseAnswer::Close;
    case MsgAnswer::Yes: {
        bool saved = false;
        if (!IsUntitled(window) && window.sheet().titleName.isEmpty()) {
            saved = SaveCalcFile(frame, window, window.filePath());
        } else {
            // Title & the extension of the sheet's own kind of file.
            const bool rules2025 = window.sheet().ruleSetKind() == RuleSetKind::Rules2025;
            const QString path = AskSavePath(window.sheet().titleName
                                             + Str(rules2025 ? S::Qrn2Extension : S::QrnExtension));
            saved = !path.isEmpty() && SaveCalcFile(frame, window, path);
        }
        return saved ? CloseAnswer::Close : CloseAnswer::Stay;
    }
    default:
        return CloseAnswer::Stay;
    }
}

} // namespace

// ---- windows and numbers ---------------------------------------------------------

bool AnyCalcWindowOpen(DocumentFrame &frame)
{
    return frame.documentTable().AnyCalcWindowOpen();
}

CalcWindow *NewCalcWindow(DocumentFrame &frame, RuleSetKind kind)
{
    frame.setDocumentCommandsEnabled(true);
    DocumentTable &table = frame.documentTable();
    const int number = table.AllocateDocumentSlot();
    CalcWindow *window = frame.createCalcWindow(kind);
    window->setCaption(Str(S::Untitled) + QString::number(number));
    takeNumber(frame, *window, number);
    window->document().resetHistory();
    RefreshRecentFileMenus(frame);
    return window;
}

CalcWindow *OpenCalcFile(DocumentFrame &frame, const QString &path, bool useFirstSlot)
{
    BusyCursor busy;
    // Either kind of file, told apart by its content.
    const SheetFileRead read = ReadSheetFile(path);
    if (read.status != SheetFileStatus::Ok) {
        busy.release();
        ShowMessage(frame.frameWidget(), read.message, MsgButtons::Ok, MsgIcon::None, appTitle());
        return nullptr;
    }

    DocumentTable &table = frame.documentTable();
    const int number = useFirstSlot && table.TakeFirstSlot() ? 1 : table.AllocateDocumentSlot();
    // The window is laid out for the file's rules from the start.
    CalcWindow *window = frame.createCalcWindow(read.data.rules);
    window->setFilePath(path);
    takeNumber(frame, *window, number);
    const std::vector<RefusedCell> refused = ApplySheetFile(window->sheet(), read.data);
    window->showSheet();
    frame.setDocumentCommandsEnabled(true);
    window->document().resetHistory();
    // Numbers a typed entry could not hold are emptied, as typing them
    // would be answered; the user hears which ones.
    if (!refused.empty()) {
        busy.release();
        ShowMessage(window, RefusedCellsMessage(refused), MsgButtons::Ok, MsgIcon::Exclamation);
    }
    // Voids typed in an earlier version are kept in the file but no longer
    // taken off; the user hears it once, on opening.
    if (read.data.rules == RuleSetKind::Rules2025 && HoldsVoids(read.data.weightInputs)) {
        busy.release();
        ShowMessage(window, VoidsNotDeductedNote(), MsgButtons::Ok, MsgIcon::Exclamation);
    }
    // Walls this office's list lacks or values otherwise: the user hears
    // which, and what the sheet computes with.
    const QStringList notices = WallNotices(window->sheet());
    if (!notices.isEmpty()) {
        busy.release();
        ShowMessage(window, notices.join(QLatin1Char('\n')), MsgButtons::Ok, MsgIcon::Exclamation);
    }
    return window;
}

void OpenFileCommand(DocumentFrame &frame)
{
    clsComDlg &dialog = CommonDialog();
    dialog.FileName.clear();
    dialog.Filter = Str(S::AnySheetFileFilter) + QLatin1Char('|') + Str(S::SheetFileFilter) + QLatin1Char('|')
                    + Str(S::FileFilter);
    dialog.Flags = OFN_HIDEREADONLY;
    dialog.setAction(ComDlgOpen);
    const QString path = dialog.FileName;
    if (path.isEmpty())
        return;
    if (IsFileAlreadyOpen(frame, path))
        return;
    OpenCalcFile(frame, path, false);
    RefreshRecentFileMenus(frame);
}

// The open window whose file `path` is (the same file once links are
// resolved), or none.
static CalcWindow *WindowHoldingFile(DocumentFrame &frame, const QString &path)
{
    const QFileInfo target(path);
    for (CalcWindow *window : frame.documentTable().openWindows()) {
        if (IsUntitled(*window))
            continue;
        const QFileInfo held(window->filePath());
        if (window->filePath() == path
            || (target.exists() && held.exists() && held.canonicalFilePath() == target.canonicalFilePath()))
            return window;
    }
    return nullptr;
}

bool IsFileAlreadyOpen(DocumentFrame &frame, const QString &path)
{
    for (CalcWindow *window : frame.documentTable().openWindows()) {
        if (!IsUntitled(*window) && window->filePath() == path) {
            ShowMessage(frame.frameWidget(), Str(S::AlreadyOpen), MsgButtons::Ok, MsgIcon::None, appTitle());
            return true;
        }
    }
    return false;
}

// ---- saving --------------------------------------------------------------------------

bool HoldsInputsQrnCannotKeep(const CalcSheet &sheet)
{
    // A new sheet's 2025 inputs are what a ".qrn" read back gives.
    const SheetFileData fresh;
    const SheetFileData held = SheetFileDataOf(sheet);
    return EncodeSheetFile([&] {
               SheetFileData d = held;
               d.inputs = fresh.inputs;
               // What the sheet computed with, not an input: a ".qrn" has
               // always taken these from the office it is opened at.
               d.keptWalls.clear();
               d.strongWindFactor = 0;
               d.rowMultipliers = fresh.rowMultipliers;
               return d;
           }())
           != EncodeSheetFile(fresh);
}

SavedForm ChooseSavedForm(CalcWindow &window, QString &path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    if (suffix.compare(QStringLiteral("qrn2"), Qt::CaseInsensitive) == 0)
        return SavedForm::SheetFile;
    const bool qrnName = suffix.compare(QStringLiteral("qrn"), Qt::CaseInsensitive) == 0;
    auto asSheetFile = [&] {
        path = (qrnName ? path.left(path.size() - suffix.size() - 1) : path) + Str(S::Qrn2Extension);
        return SavedForm::SheetFile;
    };
    // The ".qrn" holds the old rules only.
    if (window.sheet().ruleSetKind() == RuleSetKind::Rules2025)
        return asSheetFile();
    if (!HoldsInputsQrnCannotKeep(window.sheet()))
        return SavedForm::CalcFile;
    // Only the balance check would be lost: the question says so.
    const bool balanceOnly = HasBalanceData(window.sheet()) && [&] {
        const SheetFileData fresh;
        SheetFileData held = SheetFileDataOf(window.sheet());
        held.inputs = fresh.inputs;
        held.balance = fresh.balance;
        held.keptWalls.clear();
        held.strongWindFactor = 0;
        held.rowMultipliers = fresh.rowMultipliers;
        return EncodeSheetFile(held) == EncodeSheetFile(fresh);
    }();
    const QString sheetPath = (qrnName ? path.left(path.size() - suffix.size() - 1) : path) + Str(S::Qrn2Extension);
    const QString text = balanceOnly ? Str(S::AskSheetFile).arg(path) + QLatin1Char('\n')
                                           + Str(S::AskSheetFile + 1).arg(sheetPath) + QLatin1Char('\n')
                                           + Str(S::AskSheetFile + 2)
                                     : Str(S::QrnLosesInputs) + QLatin1Char('\n') + Str(S::OfferQrn2);
    switch (ShowMessage(&window, text, MsgButtons::YesNoCancel, MsgIcon::Exclamation, appTitle())) {
    case MsgAnswer::Yes:
        return asSheetFile();
    case MsgAnswer::No:
        return SavedForm::CalcFile;
    default:
        return SavedForm::Cancelled;
    }
}

bool IsUntitled(const CalcWindow &window)
{
    return window.filePath().isEmpty();
}

QString ProposedFileName(const CalcWindow &window)
{
    const QString title = window.sheet().titleName;
    if (window.sheet().ruleSetKind() == RuleSetKind::Rules2025)
        return title.isEmpty() ? Str(S::UntitledSheetFile) : title + Str(S::Qrn2Extension);
    return title.isEmpty() ? Str(S::UntitledFile) : title + Str(S::QrnExtension);
}

QString AskSavePath(const QString &proposedName, bool confirmOverwrite)
{
    clsComDlg &dialog = CommonDialog();
    const quint32 flags = dialog.Flags;
    if (confirmOverwrite)
        dialog.Flags = flags | OFN_OVERWRITEPROMPT;
    // The kind the proposed name has comes first in the type list.
    const bool sheetFile = QFileInfo(proposedName).suffix().compare(QStringLiteral("qrn2"), Qt::CaseInsensitive) == 0;
    dialog.Filter = sheetFile ? Str(S::SheetFileFilter) + QLatin1Char('|') + Str(S::FileFilter)
                              : Str(S::FileFilter) + QLatin1Char('|') + Str(S::SheetFileFilter);
    dialog.FileName = proposedName;
    dialog.setAction(ComDlgSaveAs);
    dialog.Flags = flags;
    return dialog.FileName;
}

bool SaveCalcFile(DocumentFrame &frame, CalcWindow &window, const QString &requestedPath)
{
    QString requested = requestedPath;
    QString path = requested;
    SavedForm form = ChooseSavedForm(window, path);
    // A sheet that must go to a ".qrn2" beside the ".qrn" it came from asks
    // where first: that name was never chosen, and may be another sheet.
    while (form != SavedForm::Cancelled && path != requested) {
        requested = AskSavePath(path, true);
        if (requested.isEmpty())
            return false;
        path = requested;
        form = ChooseSavedForm(window, path);
    }
    if (form == SavedForm::Cancelled)
        return false;
    // Another window holds that file: writing it would put this sheet under
    // that window's changes, and its next save would undo this one.
    if (CalcWindow *other = WindowHoldingFile(frame, path); other && other != &window) {
        ShowMessage(&window, Str(S::SaveOverOpenFile).arg(QDir::toNativeSeparators(path)), MsgButtons::Ok,
                    MsgIcon::Exclamation, appTitle());
        return false;
    }
    // The path is listed before the file is touched.
    AddRecentFile(frame, path);

    const WriteResult result = form == SavedForm::SheetFile
                                   ? WriteSheetFile(path, SheetFileDataOf(window.sheet()))
                                   : WriteCalcFile(path, window.sheet());
    if (!result) {
        ShowMessage(&window, result.error, MsgButtons::Ok, MsgIcon::Exclamation, appTitle());
        return false;
    }
    window.setFilePath(path);
    window.document().markSaved();
    return true;
}

bool SaveCommand(DocumentFrame &frame, CalcWindow &window)
{
    const QString path = IsUntitled(window) ? AskSavePath(ProposedFileName(window)) : window.filePath();
    return !path.isEmpty() && SaveCalcFile(frame, window, path);
}

bool SaveAsCommand(DocumentFrame &frame, CalcWindow &window)
{
    const QString path = AskSavePath(IsUntitled(window) ? ProposedFileName(window) : window.filePath());
    return !path.isEmpty() && SaveCalcFile(frame, window, path);
}

// ---- closing -----------------------------------------------------------------------

bool ConfirmCloseCalcWindow(DocumentFrame &frame, CalcWindow &window)
{
    DocumentTable &table = frame.documentTable();
    const int number = table.numberOf(&window);
    const bool answered = number > 0 && table.slot(number).closeAnswered;
    if (!answered && window.sheet().changed && askAboutChanges(frame, window) == CloseAnswer::Stay)
        return false;
    windowClosed(frame, window);
    return true;
}

bool AskBeforeClosingAll(DocumentFrame &frame)
{
    DocumentTable &table = frame.documentTable();
    const QList<CalcWindow *> windows = table.openWindows();
    for (CalcWindow *window : windows) {
        const int number = table.numberOf(window);
        if (table.slot(number).closeAnswered || !window->sheet().changed)
            continue;
        if (askAboutChanges(frame, *window) == CloseAnswer::Stay)
            return false;
    }
    for (CalcWindow *window : windows)
        table.slot(table.numberOf(window)).closeAnswered = true;
    return true;
}

// ---- recent files ------------------------------------------------------------------

void AddRecentFile(DocumentFrame &frame, const QString &path)
{
    RecentFiles::Add(path, listedCaptions(frame));
    RefreshRecentFileMenus(frame);
}

void RefreshRecentFileMenus(DocumentFrame &frame)
{
    const QStringList entries = RecentFiles::MenuEntries();
    if (entries.isEmpty())
        return;
    copyList(frame.recentFileActions(), entries);
}

void OpenRecentFile(DocumentFrame &frame, const QString &path)
{
    if (path.isEmpty() || IsFileAlreadyOpen(frame, path))
        return;
    OpenCalcFile(frame, path, false);
    AddRecentFile(frame, path);
}

// ---- start-up --------------------------------------------------------------------

void OpenCommandLineFile(DocumentFrame &frame, const QString &path)
{
    if (path.isEmpty())
        return;
    DocumentTable &table = frame.documentTable();
    if (IsFileAlreadyOpen(frame, path))
        return;
    // At start no window is open and the file becomes document 1.
    OpenCalcFile(frame, path, !table.AnyCalcWindowOpen());
    RefreshRecentFileMenus(frame);
    AddRecentFile(frame, path);
    frame.setDocumentCommandsEnabled(table.AnyCalcWindowOpen());
}

} // namespace quiren
