// The main window. It owns everything the wiki operations share: the
// connection, the viewer, the editor, the title label, the hidden page-id
// field, the status bar and the window state below. Every wiki operation is
// a method of this window; the methods stay thin and call store and wiki
// functions that work without a window.
#pragma once

#include "app/ImageList.h"
#include "app/NewHtmlOutput.h"
#include "app/StatusBar.h"
#include "dialogs/Prompter.h"
#include "markup/OutputFormat.h"
#include "wiki/BrowseHistory.h"

#include <QMainWindow>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QToolBar;
class QToolButton;

namespace quorvel {

class Database;
struct PageRow;
struct TfrmMainTestAccess;

constexpr int kBrowseHistorySlots = TBrowseHistory::kSlotCount;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // `appFolder` is the folder the program files live in ("logo.jpg",
    // "quorvel.db3"); the program passes the executable's folder, tests a
    // temporary one. Runs FormCreate.
    explicit TfrmMain(const QString& appFolder, QWidget* parent = nullptr);
    ~TfrmMain() override;  // FormDestroy

    // --- controls -------------------------------------------------------
    QToolBar* ToolBar1 = nullptr;
    TImageList ImageList1;
    QToolButton* btnExit = nullptr;
    QToolButton* btnHome = nullptr;
    QToolButton* btnGoUp = nullptr;
    QToolButton* btnGoBack = nullptr;
    QToolButton* btnGoFwd = nullptr;
    QToolButton* btnHistory = nullptr;
    QToolButton* btnEdit = nullptr;
    QToolButton* btnHelp = nullptr;
    QLineEdit* txtSearch = nullptr;
    QToolButton* btnSearch = nullptr;
    QLabel* lblTargetURL = nullptr;
    QLineEdit* txtWikiId = nullptr;      // never visible, enabled or focused
    THtmlViewer* NewHtmlOutput = nullptr;
    QPlainTextEdit* memoRichEdit = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    PrintRange PrintDialog;              // the print dialog's kept range

    QMenu* mnuFile = nullptr;
    QAction* mnuBackup = nullptr;
    QAction* mnuVacuum = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuEditMain = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QAction* N2 = nullptr;
    QAction* mnuCut = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuPaste = nullptr;
    QAction* N3 = nullptr;
    QAction* mnuCopyPage = nullptr;
    QAction* N4 = nullptr;
    QAction* mnuFind = nullptr;
    QAction* mnuFindNext = nullptr;
    QAction* N9 = nullptr;
    QAction* mnuReplace = nullptr;
    QMenu* mnuPage = nullptr;
    QAction* mnuEdit = nullptr;
    QAction* mnuRename = nullptr;
    QAction* mnuRefresh = nullptr;
    QAction* mnuDelete = nullptr;
    QAction* N5 = nullptr;
    QAction* mnuGoTo = nullptr;
    QAction* mnuGoHome = nullptr;
    QAction* N1 = nullptr;
    QAction* mnuRecent = nullptr;
    QMenu* Help1 = nullptr;
    QAction* mnuWikiHelp = nullptr;
    QAction* mnuMarkupHelp = nullptr;
    QAction* N6 = nullptr;
    QAction* mnuAbout = nullptr;

    QMenu* PopupMenuSearch = nullptr;
    QAction* mnuIncrementalSearch = nullptr;
    QAction* mnuNonincrementalSearch = nullptr;
    QAction* N7 = nullptr;
    QAction* mnuTitlesandContents = nullptr;
    QAction* mnuTitlesOnly = nullptr;

    QMenu* PopupMenuEdit = nullptr;      // attached to no control
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QAction* N8 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste1 = nullptr;

    // The folder of the program files, ending with the path separator.
    const QString& AppFolder() const { return appFolder_; }

    // --- handlers -------------------------------------------------------
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();               // true: the window may close
    void FormClose();
    void FormDestroy();
    void btnExitClick();
    void mnuExitClick();

    // --- page display ---------------------------------------------------
    void RetrieveById(std::int32_t id);
    bool RetrieveByWord(const QString& word);
    void ReloadSource(std::int32_t id);
    QString GetWikiId(const QString& word, bool exact);
    void GetWikiWord(std::int32_t id);
    void ComposePage();
    std::int32_t ConvertMarkup(const QByteArray& text, const OutputFormat* format,
                               QByteArray& result);
    // The editor's text with CR LF line breaks.
    QString EditorText() const;

    // --- links and navigation --------------------------------------------
    void NewHtmlOutputHotSpotClick(const QString& target, bool* handled);
    void NewHtmlOutputHotSpotCovered(const QString& target);
    void NewHtmlOutputKeyUp(int key, Qt::KeyboardModifiers shift);
    QString FindParent(const QString& title);
    void btnGoBackClick();
    void btnGoFwdClick();
    void btnGoUpClick();
    void btnHomeClick();
    void mnuPrintClick();
    const TBrowseHistory& BrowseHistoryState() const { return BrowseHistory; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend struct TfrmMainTestAccess;

    void CreateControls();
    void CreateToolBar();
    void CreateMenus();
    void CreateStatusBar();
    void ConnectHandlers();
    void ConnectBrowsing();
    // Page text, id and stamps into the editor, id field and status bar.
    void ShowPageRow(const PageRow& row);
    // A browse-history entry shown by Back or Forward.
    void ShowBrowsedEntry(const QString& value);

    // --- window state shared by the wiki operations ----------------------
    bool IsEditing = false;
    bool HistoryMode = false;
    bool IncrementalSearch = true;
    bool SearchContents = true;
    QString OriginalText;
    QString ReturnPageId;
    // Slots 1..50; slot 0 is unused so indexes read as they are numbered.
    // Visited pages and lists; its HistoryIndex() is the slot in view.
    TBrowseHistory BrowseHistory;
    // The text-hook list of every conversion: empty for the whole run.
    std::array<TextHook, 3> MarkupContext{};
    std::int32_t MarkupFlags = 0;
    std::int32_t MarkupFontSize = 0;
    std::unique_ptr<quorvel::Database> Database;
    std::int32_t FindPosition = 0;
    std::uint8_t FindOptions = 0;
    QString FindText;
    std::int32_t ShowMarkupHelp = 0;

    QString appFolder_;
    bool shownOnce_ = false;
};

}  // namespace quorvel
