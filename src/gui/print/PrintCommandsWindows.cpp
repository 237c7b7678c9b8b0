// The print commands as the windows offer them: mnuFilePrint and the File
// menu's preview and PDF items of a calculation window, and PrintActiveSheet
// of the main window's tool bar.
#include "gui/print/PrintCommands.h"

#include "core/text/StringTable.h"
#include "gui/calcwindow/CalcWindow.h"
#include "gui/shell/MainWindow.h"

#include <QAction>
#include <QMenu>

namespace quiren {

namespace {

QMenu *menuOf(QAction *item)
{
    if (item == nullptr)
        return nullptr;
    for (QObject *owner : item->associatedObjects())
        if (auto *menu = qobject_cast<QMenu *>(owner))
            return menu;
    return nullptr;
}

} // namespace

bool PrintWindowSheet(CalcWindow *window)
{
    if (window == nullptr)
        return false;
    return PrintSheetCommand(window, window->sheet(), window->caption(), PaperChoice::AsItIs);
}

bool PrintActiveSheet(MainWindow *main)
{
    CalcWindow *window = main ? main->activeCalcWindow() : nullptr;
    if (window == nullptr)
        return false;
    return PrintSheetCommand(main, window->sheet(), window->caption(), PaperChoice::A4Portrait);
}

void PreviewWindowSheet(CalcWindow *window)
{
    if (window != nullptr)
        PreviewSheetCommand(window, window->sheet(), window->caption());
}

bool SaveWindowPdf(CalcWindow *window)
{
    if (window == nullptr)
        return false;
    return SaveSheetPdfCommand(window, window->sheet(), window->caption());
}

void AddPrintCommands(CalcWindow *window)
{
    if (window == nullptr || window->findChild<QAction *>(QStringLiteral("mnuFilePreview")))
        return;
    QAction *print = window->action(QStringLiteral("mnuFilePrint"));
    QMenu *file = menuOf(print);
    if (file == nullptr)
        return;

    auto *preview = new QAction(Str(S::PreviewItem), window);
    preview->setObjectName(QStringLiteral("mnuFilePreview"));
    preview->setToolTip(Str(S::PreviewTitle));
    auto *pdf = new QAction(Str(S::PdfItem), window);
    pdf->setObjectName(QStringLiteral("mnuFilePdf"));
    pdf->setToolTip(Str(S::PdfTitle));
    QObject::connect(preview, &QAction::triggered, window, [window] { PreviewWindowSheet(window); });
    QObject::connect(pdf, &QAction::triggered, window, [window] { SaveWindowPdf(window); });

    // Right after the print command: print, preview, PDF, JW-CAD.
    const QList<QAction *> items = file->actions();
    const qsizetype at = items.indexOf(print);
    QAction *next = at + 1 < items.size() ? items.at(at + 1) : nullptr;
    file->insertAction(next, preview);
    file->insertAction(next, pdf);
}

void AddPrintCommands(MainWindow *main)
{
    if (main == nullptr)
        return;
    for (CalcWindow *window : main->calcWindows())
        AddPrintCommands(window);
    QObject::connect(main, &MainWindow::calcWindowOpened, main,
                     [](CalcWindow *window) { AddPrintCommands(window); });
}

} // namespace quiren
