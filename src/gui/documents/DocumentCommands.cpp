#include "gui/documents/DocumentCommands.h"

#include "core/documents/CalcFile.h"
#include "core/documents/SheetFile.h"
#include "core/documents/RecentFiles.h"
#include "core/text/StringTable.h"
#include "gui/calcwindow/CalcWindow.h"
#include "gui/documents/DocumentTable.h"
#include "gui/shell/MainWindow.h"
#include "gui/tools/ComDlg.h"
#include "gui/widgets/MessageBox.h"
#include "gui/widgets/WidgetSupport.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QVariant>

namespace quiren {

namespace {

// A recent-file item keeps its path in its data; the text shows it (a "&"
// in a path is doubled so that it is not taken for an accelerator).
constexpr char RecentHookedProperty[] = "quirenRecentHooked";

QString captionOf(const QAction *item)
{
    const QVariant path = item->data();
    return path.isValid() ? path.toString() : item->text();
}

void showPath(QAction *item, const QString &path)
{
    QString text = path;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    item->setText(text);
    item->setData(path);
    item->setVisible(true);
}

// Connects mnuRecentFile(1..5) of a window to the recent-file command once.
void hookRecentItems(MainWindow &main, QObject *owner, const QList<QAction *> &items)
{
    if (owner->property(RecentHookedProperty).toBool())
        return;
    owner->setProperty(RecentHookedProperty, true);
    QPointer<MainWindow> guard(&main);
    for (int i = 1; i < items.size(); ++i) {
        QAction *item = items[i];
        QObject::connect(item, &QAction::triggered, owner, [guard, item] {
            if (guard)
                OpenRecentFile(*guard, captionOf(item));
        });
    }
}

void copyList(const QList<QAction *> &items, const QStringList &entries)
{
    if (items.size() <= RecentFiles::Count)
        return;
    items[0]->setVisible(true);
    for (int e = 0; e < entries.size() && e < RecentFiles::Count; ++e)
        showPath(items[e + 1], entries[e]);
}

QStringList listedCaptions(MainWindow &main)
{
    QStringList captions;
    const QList<QAction *> items = main.recentFileActions();
    for (int i = 1; i < items.size(); ++i)
        captions << captionOf(items[i]);
    return captions;
}

QString appTitle()
{
    return Str(S::AppTitle);
}

// A window gets its number: caption, tag and slot.
void takeNumber(MainWindow &main, CalcWindow &window, int number)
{
    DocumentTable &table = DocumentTable::of(main);
    table.slot(number).window = &window;
    window.setDocumentNumber(number);
    hookRecentItems(main, &window, window.recentFileActions());
}

// The window has closed: its number is free again; with the last window
// gone the document commands go and the main window's own File menu shows
// the recent files.
void windowClosed(MainWindow &main, CalcWindow &window)
{
    DocumentTable &table = DocumentTable::of(main);
    table.release(table.numberOf(&window));
    if (!table.AnyCalcWindowOpen()) {
        main.setDocumentCommandsEnabled(false);
        RefreshRecentFileMenus(main);
    }
}

enum class CloseAnswer { Close, Stay };

// The question about unsaved changes for one changed window. Yes saves (to
// the window's own file when it has no title, else through the dialog
// proposing title & ".qrn"); the window may close only once that save has
// succeeded, so a cancelled dialog or a failed write keeps it open with its
// changes.
CloseAnswer askAboutChanges(CalcWindow &window)
{
    MainWindow *main = MainWindowOf(window);
    const QString text = Str(S::OpenBracket) + window.caption() + Str(S::DataChanged)
        + QLatin1Char('\n') + Str(S::SaveChanges);
    const MsgAnswer answer = ShowMessage(main ? static_cast<QWidget *>(main) : &window, text,
                                         MsgButtons::YesNoCancel, MsgIcon::Exclamation, appTitle());
    switch (answer) {
    case MsgAnswer::No:
        return CloseAnswer::Close;
    case MsgAnswer::Yes: {
        bool saved = false;
        if (!IsUntitled(window) && window.sheet().titleName.isEmpty()) {
            saved = SaveCalcFile(window, window.caption());
        } else {
            // Title & the extension of the sheet's own kind of file.
            const bool rules2025 = window.sheet().ruleSetKind() == RuleSetKind::Rules2025;
            const QString path = AskSavePath(window.sheet().titleName
                                             + Str(rules2025 ? S::Qrn2Extension : S::QrnExtension));
            saved = !path.isEmpty() && SaveCalcFile(window, path);
        }
        return saved ? CloseAnswer::Close : CloseAnswer::Stay;
    }
    default:
        return CloseAnswer::Stay;
    }
}

} // namespace

// ---- windows and numbers ---------------------------------------------------------

MainWindow *MainWindowOf(const CalcWindow &window)
{
    for (QObject *p = window.parent(); p; p = p->parent()) {
        if (auto *main = qobject_cast<MainWindow *>(p))
            return main;
    }
    return nullptr;
}

bool AnyCalcWindowOpen(MainWindow &main)
{
    return DocumentTable::of(main).AnyCalcWindowOpen();
}

CalcWindow *NewCalcWindow(MainWindow &main, RuleSetKind kind)
{
    main.setDocumentCommandsEnabled(true);
    DocumentTable &table = DocumentTable::of(main);
    const int number = table.AllocateDocumentSlot();
    CalcWindow *window = main.createCalcWindow();
    if (kind != RuleSetKind::Old)
        window->startSheet(kind);
    window->setCaption(Str(S::Untitled) + QString::number(number));
    takeNumber(main, *window, number);
    window->sheet().changed = false;
    RefreshRecentFileMenus(main);
    return window;
}

CalcWindow *OpenCalcFile(MainWindow &main, const QString &path, bool useFirstSlot)
{
    BusyCursor busy;
    // Either kind of file, told apart by its content.
    const SheetFileRead read = ReadSheetFile(path);
    if (read.status != SheetFileStatus::Ok) {
        busy.release();
        ShowMessage(&main, read.message, MsgButtons::Ok, MsgIcon::None, appTitle());
        return nullptr;
    }

    DocumentTable &table = DocumentTable::of(main);
    const int number = useFirstSlot && table.TakeFirstSlot() ? 1 : table.AllocateDocumentSlot();
    CalcWindow *window = main.createCalcWindow();
    window->setCaption(path);
    takeNumber(main, *window, number);
    ApplySheetFile(window->sheet(), read.data);
    window->showSheet();
    main.setDocumentCommandsEnabled(true);
    window->sheet().changed = false;
    return window;
}

void OpenFileCommand(MainWindow &main)
{
    clsComDlg &dialog = CommonDialog();
    dialog.FileName.clear();
    dialog.Filter = Str(S::SheetFileFilter) + QLatin1Char('|') + Str(S::FileFilter);
    dialog.Flags = OFN_HIDEREADONLY;
    dialog.setAction(ComDlgOpen);
    const QString path = dialog.FileName;
    if (path.isEmpty())
        return;
    if (IsFileAlreadyOpen(main, path))
        return;
    OpenCalcFile(main, path, false);
    RefreshRecentFileMenus(main);
}

bool IsFileAlreadyOpen(MainWindow &main, const QString &path)
{
    for (CalcWindow *window : DocumentTable::of(main).openWindows()) {
        if (window->caption() == path) {
            ShowMessage(&main, Str(S::AlreadyOpen), MsgButtons::Ok, MsgIcon::None, appTitle());
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
    const QString text = Str(S::QrnLosesInputs) + QLatin1Char('\n') + Str(S::OfferQrn2);
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
    return window.caption().startsWith(Str(S::Untitled).left(2));
}

QString ProposedFileName(const CalcWindow &window)
{
    const QString title = window.sheet().titleName;
    if (window.sheet().ruleSetKind() == RuleSetKind::Rules2025)
        return title.isEmpty() ? Str(S::UntitledSheetFile) : title + Str(S::Qrn2Extension);
    return title.isEmpty() ? Str(S::UntitledFile) : title + Str(S::QrnExtension);
}

QString AskSavePath(const QString &proposedName)
{
    clsComDlg &dialog = CommonDialog();
    // The kind the proposed name has comes first in the type list.
    const bool sheetFile = QFileInfo(proposedName).suffix().compare(QStringLiteral("qrn2"), Qt::CaseInsensitive) == 0;
    dialog.Filter = sheetFile ? Str(S::SheetFileFilter) + QLatin1Char('|') + Str(S::FileFilter)
                              : Str(S::FileFilter) + QLatin1Char('|') + Str(S::SheetFileFilter);
    dialog.FileName = proposedName;
    dialog.setAction(ComDlgSaveAs);
    return dialog.FileName;
}

bool SaveCalcFile(CalcWindow &window, const QString &requestedPath)
{
    QString path = requestedPath;
    const SavedForm form = ChooseSavedForm(window, path);
    if (form == SavedForm::Cancelled)
        return false;

    // The path is listed before the file is touched.
    if (MainWindow *main = MainWindowOf(window))
        AddRecentFile(*main, path);
    else
        RecentFiles::Add(path, {});

    const WriteResult result = form == SavedForm::SheetFile
                                   ? WriteSheetFile(path, SheetFileDataOf(window.sheet()))
                                   : WriteCalcFile(path, window.sheet());
    if (!result) {
        ShowMessage(&window, result.error, MsgButtons::Ok, MsgIcon::Exclamation, appTitle());
        return false;
    }
    window.setCaption(path);
    window.sheet().changed = false;
    return true;
}

bool SaveCommand(CalcWindow &window)
{
    const QString path = IsUntitled(window) ? AskSavePath(ProposedFileName(window)) : window.caption();
    return !path.isEmpty() && SaveCalcFile(window, path);
}

bool SaveAsCommand(CalcWindow &window)
{
    const QString path = AskSavePath(IsUntitled(window) ? ProposedFileName(window) : window.caption());
    return !path.isEmpty() && SaveCalcFile(window, path);
}

// ---- closing -----------------------------------------------------------------------

bool ConfirmCloseCalcWindow(CalcWindow &window)
{
    MainWindow *main = MainWindowOf(window);
    bool answered = false;
    if (main) {
        DocumentTable &table = DocumentTable::of(*main);
        const int number = table.numberOf(&window);
        answered = number > 0 && table.slot(number).closeAnswered;
    }
    if (!answered && window.sheet().changed && askAboutChanges(window) == CloseAnswer::Stay)
        return false;
    if (main)
        windowClosed(*main, window);
    return true;
}

bool AskBeforeClosingAll(MainWindow &main)
{
    DocumentTable &table = DocumentTable::of(main);
    const QList<CalcWindow *> windows = table.openWindows();
    for (CalcWindow *window : windows) {
        const int number = table.numberOf(window);
        if (table.slot(number).closeAnswered || !window->sheet().changed)
            continue;
        if (askAboutChanges(*window) == CloseAnswer::Stay)
            return false;
    }
    for (CalcWindow *window : windows)
        table.slot(table.numberOf(window)).closeAnswered = true;
    return true;
}

// ---- recent files ------------------------------------------------------------------

void AddRecentFile(MainWindow &main, const QString &path)
{
    RecentFiles::Add(path, listedCaptions(main));
    RefreshRecentFileMenus(main);
}

void RefreshRecentFileMenus(MainWindow &main)
{
    hookRecentItems(main, &main, main.recentFileActions());
    const QStringList entries = RecentFiles::MenuEntries();
    if (entries.isEmpty())
        return;
    copyList(main.recentFileActions(), entries);
    for (CalcWindow *window : DocumentTable::of(main).openWindows())
        copyList(window->recentFileActions(), entries);
}

void OpenRecentFile(MainWindow &main, const QString &path)
{
    if (path.isEmpty() || IsFileAlreadyOpen(main, path))
        return;
    OpenCalcFile(main, path, false);
    AddRecentFile(main, path);
}

// ---- start-up --------------------------------------------------------------------

void OpenCommandLineFile(MainWindow &main, const QString &path)
{
    if (path.isEmpty())
        return;
    DocumentTable &table = DocumentTable::of(main);
    if (IsFileAlreadyOpen(main, path))
        return;
    // At start no window is open and the file becomes document 1.
    OpenCalcFile(main, path, !table.AnyCalcWindowOpen());
    RefreshRecentFileMenus(main);
    AddRecentFile(main, path);
    main.setDocumentCommandsEnabled(table.AnyCalcWindowOpen());
}

} // namespace quiren
