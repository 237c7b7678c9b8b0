#pragma once

#include "core/calc/CalcSheet.h"
#include "gui/calcwindow/SheetDocument.h"
#include "gui/tools/Hint.h"

#include <QWidget>

#include <array>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QMenu;
class QRadioButton;
class QScrollArea;
class QTabWidget;
class QVBoxLayout;

namespace quiren {

class CalcWindowHost;
class BalancePanel;
class ColumnPanel;
class JointPanel;
class FramingGrid;
class JudgementGrid;
class LoadsGroup;
class LwBreakdownWindow;
class QuasiWallGrid;
class SheetHeader;
class Storey2025Panel;
class StoreyPage;

// A calculation window (frmCalc): one calculation document, shown and edited
// in the frame of the main window. The window owns the document (the
// CalcSheet and its signals), places the sheet header, the judgement grid,
// the 2025 loads and a StoreyPage per storey, and routes the commands of
// the commands its host's menus give it; the views refresh themselves from
// the document's signals, and all arithmetic lives in the sheet.
//
// The menus are the host's, made once for every window (MainCommands in
// the shell); what belongs to the whole program it hands to its host.
//
// Controls keep the names the program has always used (object names): the
// header's (SheetHeader.h), the pages' (StoreyPage.h), TS, Z_FA(s), J_FA.
class CalcWindow : public QWidget {
    Q_OBJECT

public:
    // `host` may be nullptr (a window on its own): the commands that belong
    // to the frame then do nothing. The window opens on a new sheet under
    // the rules `kind`, laid out for them once.
    // With `shownPage` Later, the page of the storey shown is left out until
    // buildShownPage() or buildShownPageAfterPaint().
    enum class ShownPage { WithWindow, Later };
    explicit CalcWindow(CalcWindowHost *host, RuleSetKind kind = RuleSetKind::Old, QWidget *parent = nullptr,
                        ShownPage shownPage = ShownPage::WithWindow);
    ~CalcWindow() override;

    // The page left out: built now, the window sized for it as a new window
    // is; or built once the window has first been painted, the window's
    // size kept (for a window cut to its frame's room with the page or
    // without, whose foot the page is).
    bool shownPagePending() const;
    void buildShownPage();
    void buildShownPageAfterPaint();

    // The document the window shows; its signals keep every view current.
    SheetDocument &document() { return *m_document; }
    CalcSheet &sheet() { return m_sheet; }
    const CalcSheet &sheet() const { return m_sheet; }

    // Caption: the file's full path, or "新規計算書" & number while untitled.
    QString caption() const;
    void setCaption(const QString &caption);
    // The file the sheet was read from or last saved to (windowFilePath),
    // empty while untitled: never read back from the caption, which a
    // file's own name could imitate.
    QString filePath() const { return windowFilePath(); }
    // The window holds `path` from now on, and shows it as its caption.
    void setFilePath(const QString &path);
    // Tag: the document number.
    int documentNumber() const { return m_documentNumber; }
    void setDocumentNumber(int number) { m_documentNumber = number; }

    // Shows the whole sheet again in every control and grid, without any of
    // the change reactions (used after a file has been read into sheet()).
    // The controls follow the sheet's rule set.
    void showSheet();

    // A new sheet under `kind` (the window was just made; nothing to keep).
    void startSheet(RuleSetKind kind);
    // The File menu's conversion of an old-rule sheet to the 2025 rules:
    // asks for the roof's finish first, refuses a three-storey sheet, and
    // tells the user what to fill in. Returns whether the sheet was converted.
    bool convertTo2025();
    // And back: refused, with the reasons, while the sheet holds what the
    // old rules cannot keep; asks for the roof's weight.
    bool convertToOldRules();

    // The 2025 parts of the window, hidden under the old rules. The loads
    // are always there; a storey page's parts are made with the page once
    // its sheet is under the 2025 rules, and are null until then (and on
    // the third storey).
    LoadsGroup *loadsGroup() const { return m_loads; }
    Storey2025Panel *storey2025Panel(int s);
    QuasiWallGrid *quasiGrid(int s);
    // "計算の内訳", opened on demand.
    LwBreakdownWindow *showBreakdown();
    // Puts the breakdown beside the inputs, or back in a window of its own.
    void dockBreakdown(bool docked);

    // A_Wall filled from the certified-wall list; the first entry becomes the
    // sheet's certified wall ("未登録です", disabled, when the list is empty).
    void refillCertifiedWalls();
    // SetDirectionCaptions: the direction captions of the area labels and
    // the grid headings in the naming style `pafKind`.
    void setDirectionCaptions(bool pafKind);
    // Everything derived worked out again and shown (after the options
    // changed what the sheet reads); the inputs are untouched, so the sheet
    // is not marked changed. The document does this by itself when the
    // options window applies new office data.
    void recalculateSheet() { m_document->recalculate(); }

    // A menu item of the host by its object name (mnuFileSave, mnuPaf,
    // T_Merge(0), pafoWind, ...), acting on the active window, for tests;
    // nullptr when there is none (no host).
    QAction *action(const QString &name) const;

    // Whether lengths are entered from a list in this window (mnuPaf is
    // checked for it while it is active).
    bool listInput() const { return m_listInput; }
    void setListInput(bool on) { m_listInput = on; }

    // The storey page shown (0..2).
    int currentStorey() const;
    void showStorey(int s);

    // Storey page s (0..2), built when first shown or asked for.
    QWidget *storeyPage(int s);
    StoreyPage *page(int s);
    FramingGrid *framingGrid(int s);
    JudgementGrid *judgementGrid() const { return m_judgement; }
    // The balance check of storey s, on its storey page (made on first use).
    BalancePanel *balancePanel(int s);
    // The column diameter check of storey s, likewise.
    ColumnPanel *columnPanel(int s);
    // The column-end joints of storey s, on its storey page (made on first use).
    JointPanel *jointPanel(int s);

    // What the advice window takes from this window: the storey page shown,
    // its caption, the direction captions of the judgement grid, that
    // storey's judgement row, and "Mod" as stored now.
    HintInput hintInput() const;

    // ---- commands --------------------------------------------------------------
    // mnuFileClose: closes this window (after the close question, see
    // confirmClose()).
    void closeCommand();
    // mnuFileSave and mnuFileSaveAs, through the host; true when saved.
    bool save();
    bool saveAs();
    // mnuFilePrint: prints this window's sheet on the printer's paper as it is.
    bool print();
    // mnuFilePreview and mnuFilePdf: the print preview, and the sheet saved
    // as a PDF file.
    void previewSheet();
    bool saveAsPdf();
    // mnuJWcomp: the JW-CAD coordinate file in the JW folder in effect.
    bool exportJwCad();
    // mnuViewSort: SortFramingRows on the storey page shown.
    void sortFramingRows();
    // T_Merge(k): MergeFramingColumns(k) on all three framing grids.
    void mergeFramingColumns(int k);
    // pafoWind: the strong-wind switch with the setting read now.
    void switchStrongWind();
    // ShowStoreyTabs(i) and SizeJudgementRows(i + 3).
    void showStoreyTabs(int i);

    // Asked before the window closes; false keeps it open. The host asks
    // about unsaved changes; a window on its own closes without a question.
    bool confirmClose();

    // Writes a prompt into panel 1 of the frame's status bar.
    void showPrompt(const QString &text);

signals:
    // An edit has marked the sheet changed.
    void sheetChanged();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls(ShownPage shownPage);
    void buildStoreyPage(int s);
    void sizePage(int s);
    void setUpNewSheet();
    void layoutSizes();
    void sizePages();
    void showConverted(const QString &done);
    void markChanged();
    void applyRuleLayout();
    void onPageChosen(int page);

    CalcWindowHost *m_host = nullptr;
    SheetDocument *m_document;
    CalcSheet &m_sheet;   // the document's
    int m_documentNumber = 0;
    bool m_showing = false;     // the pages being set up (no prompt, no recalculation)
    bool m_sheetShown = false;  // the window has shown its sheet once
    bool m_pafKind = true;      // the naming style of the direction captions
    bool m_listInput = false;   // lengths from a list

    SheetHeader *m_header = nullptr;
    QTabWidget *m_tabs = nullptr;
    std::array<QScrollArea *, StoreyCount> m_pageScrollers{};
    std::array<StoreyPage *, StoreyCount> m_pages{};   // built when first shown or asked for
    JudgementGrid *m_judgement = nullptr;
    QScrollArea *m_scroller = nullptr;   // all of the window's contents
    LoadsGroup *m_loads = nullptr;
    LwBreakdownWindow *m_breakdown = nullptr;
};

} // namespace quiren
