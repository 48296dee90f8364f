#include "app/frmMain.h"

#include "app/ErrorHandler.h"
#include "app/MainWindowMessages.h"
#include "store/Database.h"
#include "store/Resources.h"
#include "wiki/PageDocument.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

namespace quorvel {

namespace {

// Window geometry. The client area excludes the menu bar, as on the
// platform the window was laid out for; the minimum is the outer size,
// turned into a client minimum with the classic 4-pixel borders and caption.
constexpr int kClientWidth = 752;
constexpr int kClientHeight = 634;
constexpr int kMinWindowWidth = 760;
constexpr int kMinWindowHeight = 620;
constexpr int kAssumedFrameWidth = 8;
constexpr int kAssumedFrameHeight = 30;

constexpr int kToolBarHeight = 28;
constexpr int kButtonWidth = 26;
constexpr int kButtonHeight = 22;
constexpr int kSeparatorWidth = 8;
constexpr int kStatusBarHeight = 19;

QWidget* Separator(QWidget* parent)
{
    auto* gap = new QWidget(parent);
    gap->setFixedSize(kSeparatorWidth, kButtonHeight);
    return gap;
}

}  // namespace

TfrmMain::TfrmMain(const QString& appFolder, QWidget* parent)
    : QMainWindow(parent), appFolder_(appFolder)
{
    if (!appFolder_.isEmpty() && !appFolder_.endsWith(u'/'))
        appFolder_ += u'/';
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quorvel"));
    // Tahoma where it is installed; otherwise a sans-serif of similar width
    // (DejaVu Sans, fontconfig's usual stand-in, runs wider and clips the
    // fixed-width status panels).
    QFont font(QStringLiteral("Tahoma"), 8);
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial")});
    setFont(font);
    setContextMenuPolicy(Qt::NoContextMenu);  // no tool-bar hiding menu
    CreateControls();
    ConnectHandlers();
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    setMinimumSize(kMinWindowWidth - kAssumedFrameWidth,
                   kMinWindowHeight - kAssumedFrameHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    FormCreate();
}

TfrmMain::~TfrmMain() { FormDestroy(); }

void TfrmMain::CreateControls()
{
    ImageList1 = CreateToolBarImages();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    // The viewer fills the client area; the editor lies over it and is
    // shown only while editing.
    auto* client = new QWidget(this);
    auto* layout = new QGridLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    NewHtmlOutput = new THtmlViewer(client);
    NewHtmlOutput->setObjectName(QStringLiteral("NewHtmlOutput"));
    memoRichEdit = new QPlainTextEdit(client);
    memoRichEdit->setObjectName(QStringLiteral("memoRichEdit"));
    QFont editorFont(QStringLiteral("Courier New"));
    editorFont.setPixelSize(13);
    memoRichEdit->setFont(editorFont);
    memoRichEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoRichEdit->hide();
    layout->addWidget(NewHtmlOutput, 0, 0);
    layout->addWidget(memoRichEdit, 0, 0);
    setCentralWidget(client);

    txtWikiId = new QLineEdit(this);
    txtWikiId->setObjectName(QStringLiteral("txtWikiId"));
    txtWikiId->setVisible(false);
    txtWikiId->setEnabled(false);
    txtWikiId->setFocusPolicy(Qt::NoFocus);
}

void TfrmMain::CreateToolBar()
{
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setFixedHeight(kToolBarHeight);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setContentsMargins(0, 0, 0, 0);
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    auto button = [this](const char* name, ImageIndex image, const char* hint) {
        auto* b = new QToolButton(ToolBar1);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(ImageList1[image]);
        b->setToolTip(QString::fromUtf8(hint));
        b->setAutoRaise(true);
        b->setFixedSize(kButtonWidth, kButtonHeight);
        b->setFocusPolicy(Qt::NoFocus);
        ToolBar1->addWidget(b);
        return b;
    };
    btnExit = button("btnExit", imgExit, "Exit program");
    ToolBar1->addWidget(Separator(ToolBar1));
    btnHome = button("btnHome", imgHome, "Go to Home page");
    btnGoUp = button("btnGoUp", imgUp, "Up to parent page");
    btnGoBack = button("btnGoBack", imgBack, "Back to previously viewed page");
    btnGoFwd = button("btnGoFwd", imgForward, "Forward to previously viewed page");
    ToolBar1->addWidget(Separator(ToolBar1));
    btnHistory = button("btnHistory", imgPageHistory, "Show page history");
    btnEdit = button("btnEdit", imgEdit, "Edit current page");
    btnHelp = button("btnHelp", imgHelp, "View program help");
    ToolBar1->addWidget(Separator(ToolBar1));

    txtSearch = new QLineEdit(ToolBar1);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setFixedSize(165, kButtonHeight);
    txtSearch->setFrame(false);
    ToolBar1->addWidget(txtSearch);

    btnSearch = new QToolButton(ToolBar1);
    btnSearch->setObjectName(QStringLiteral("btnSearch"));
    btnSearch->setIcon(CreateSearchImage());
    btnSearch->setFixedSize(42, kButtonHeight);
    btnSearch->setPopupMode(QToolButton::MenuButtonPopup);
    btnSearch->setMenu(PopupMenuSearch);
    btnSearch->setAutoRaise(true);
    btnSearch->setFocusPolicy(Qt::NoFocus);
    ToolBar1->addWidget(btnSearch);
    ToolBar1->addWidget(Separator(ToolBar1));

    lblTargetURL = new QLabel(ToolBar1);
    lblTargetURL->setObjectName(QStringLiteral("lblTargetURL"));
    lblTargetURL->setTextFormat(Qt::PlainText);
    lblTargetURL->setFixedSize(268, kButtonHeight);
    lblTargetURL->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ToolBar1->addWidget(lblTargetURL);
}

void TfrmMain::CreateMenus()
{
    auto item = [this](QMenu* menu, const char* name, const char* caption,
                       const QKeySequence& shortcut = {}, bool enabled = true) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(shortcut);
        a->setEnabled(enabled);
        return a;
    };
    auto separator = [](QMenu* menu, const char* name) {
        QAction* a = menu->addSeparator();
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuBackup = item(mnuFile, "mnuBackup", "&Backup database");
    mnuVacuum = item(mnuFile, "mnuVacuum", "&Compact database");
    mnuPrint = item(mnuFile, "mnuPrint", "&Print page", QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuExit = item(mnuFile, "mnuExit", "&Exit");

    mnuEditMain = bar->addMenu(QStringLiteral("&Edit"));
    mnuEditMain->setObjectName(QStringLiteral("mnuEditMain"));
    mnuUndo = item(mnuEditMain, "mnuUndo", "&Undo", {}, false);
    mnuRedo = item(mnuEditMain, "mnuRedo", "&Redo", {}, false);
    N2 = separator(mnuEditMain, "N2");
    mnuCut = item(mnuEditMain, "mnuCut", "Cu&t", {}, false);
    mnuCopy = item(mnuEditMain, "mnuCopy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuPaste = item(mnuEditMain, "mnuPaste", "&Paste", {}, false);
    N3 = separator(mnuEditMain, "N3");
    mnuCopyPage = item(mnuEditMain, "mnuCopyPage", "Co&py Page", QKeySequence(Qt::CTRL | Qt::Key_A));
    N4 = separator(mnuEditMain, "N4");
    mnuFind = item(mnuEditMain, "mnuFind", "&Find", QKeySequence(Qt::CTRL | Qt::Key_F));
    mnuFindNext = item(mnuEditMain, "mnuFindNext", "Find &next", QKeySequence(Qt::Key_F3));
    N9 = separator(mnuEditMain, "N9");
    mnuReplace = item(mnuEditMain, "mnuReplace", "Find and rep&lace",
                      QKeySequence(Qt::CTRL | Qt::Key_H), false);

    mnuPage = bar->addMenu(QStringLiteral("&Page"));
    mnuPage->setObjectName(QStringLiteral("mnuPage"));
    mnuEdit = item(mnuPage, "mnuEdit", "&Edit this page", QKeySequence(Qt::CTRL | Qt::Key_E));
    mnuRename = item(mnuPage, "mnuRename", "&Rename this page");
    mnuRefresh = item(mnuPage, "mnuRefresh", "Re&fresh page");
    mnuDelete = item(mnuPage, "mnuDelete", "&Delete this page");
    N5 = separator(mnuPage, "N5");
    mnuGoTo = item(mnuPage, "mnuGoTo", "&Go To page...");
    mnuGoHome = item(mnuPage, "mnuGoHome", "Go To &Home");
    N1 = separator(mnuPage, "N1");
    mnuRecent = item(mnuPage, "mnuRecent", "&List recent changes");

    Help1 = bar->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    mnuWikiHelp = item(Help1, "mnuWikiHelp", "&Quorvel Help", QKeySequence(Qt::Key_F1));
    mnuMarkupHelp = item(Help1, "mnuMarkupHelp", "&Wiki markup help");
    N6 = separator(Help1, "N6");
    mnuAbout = item(Help1, "mnuAbout", "&About");

    PopupMenuSearch = new QMenu(this);
    PopupMenuSearch->setObjectName(QStringLiteral("PopupMenuSearch"));
    mnuIncrementalSearch = item(PopupMenuSearch, "mnuIncrementalSearch", "&Incremental Search");
    mnuNonincrementalSearch =
        item(PopupMenuSearch, "mnuNonincrementalSearch", "&Nonincremental search");
    N7 = separator(PopupMenuSearch, "N7");
    mnuTitlesandContents = item(PopupMenuSearch, "mnuTitlesandContents", "&Titles and Contents");
    mnuTitlesOnly = item(PopupMenuSearch, "mnuTitlesOnly", "Titles &Only");
    // Each pair is a choice of one: the check mark moves between its items.
    for (auto [first, second] : {std::pair{mnuIncrementalSearch, mnuNonincrementalSearch},
                                 std::pair{mnuTitlesandContents, mnuTitlesOnly}}) {
        auto* group = new QActionGroup(PopupMenuSearch);
        for (QAction* a : {first, second}) {
            a->setCheckable(true);
            group->addAction(a);
        }
        first->setChecked(true);
    }

    PopupMenuEdit = new QMenu(this);
    PopupMenuEdit->setObjectName(QStringLiteral("PopupMenuEdit"));
    Undo1 = item(PopupMenuEdit, "Undo1", "&Undo");
    Redo1 = item(PopupMenuEdit, "Redo1", "&Redo");
    N8 = separator(PopupMenuEdit, "N8");
    Cut1 = item(PopupMenuEdit, "Cut1", "Cu&t");
    Copy1 = item(PopupMenuEdit, "Copy1", "&Copy");
    Paste1 = item(PopupMenuEdit, "Paste1", "&Paste");
}

void TfrmMain::CreateStatusBar()
{
    StatusBar1 = new TStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(kStatusBarHeight);
    StatusBar1->addPanel(60, QStringLiteral("VIEWING"), Qt::AlignCenter);
    StatusBar1->addPanel(115, QStringLiteral("Created:"));
    StatusBar1->addPanel(90, QStringLiteral("by:"));
    StatusBar1->addPanel(115, QStringLiteral("Updated:"));
    StatusBar1->addPanel(90, QStringLiteral("by:"));
    StatusBar1->addPanel(100, QStringLiteral(" "));
    setStatusBar(StatusBar1);
}

void TfrmMain::ConnectHandlers()
{
    // Only the handlers of start and stop are wired here; the other
    // controls are wired by the operations that own them.
    ConnectGuarded(btnExit, &QToolButton::clicked, this, &TfrmMain::btnExitClick);
    ConnectGuarded(mnuExit, &QAction::triggered, this, &TfrmMain::mnuExitClick);
    ConnectBrowsing();
}

void TfrmMain::FormCreate()
{
    NewHtmlOutput->SetHistoryLimit(99);
    NewHtmlOutput->SetServerRoot(appFolder_);  // relative names such as logo.jpg
    BrowseHistory.Clear();
    // Writing a missing file may fail (a folder without write permission):
    // the error is shown and the files are left as they are. The connection
    // object is made all the same, so every later action reports why the
    // database cannot be opened instead of finding no connection at all.
    RunGuarded([this] { WriteMissingStartupFiles(appFolder_); });
    Database = std::make_unique<quorvel::Database>(DatabaseFilePath(appFolder_));
}

void TfrmMain::FormShow()
{
    memoRichEdit->hide();
    IsEditing = false;
    HistoryMode = false;
    IncrementalSearch = true;
    SearchContents = true;
    Database->open();  // an error here skips the remaining steps
    RetrieveById(kHomePageId);
    BrowseHistory.Start(txtWikiId->text());
    NewHtmlOutput->setFocus();
}

bool TfrmMain::FormCloseQuery()
{
    if (IsEditing) {
        ShowMessage(CloseWhileEditingMessage());
        return false;
    }
    return ShowMessage(ExitConfirmationMessage()) == MessageButton::Yes;
}

void TfrmMain::FormClose()
{
    if (Database)
        Database->close();
}

void TfrmMain::FormDestroy()
{
    Database.reset();
}

void TfrmMain::btnExitClick()
{
    if (!IsEditing) {
        close();
        return;
    }
    // While editing the button is the editing-tools button.
    PopupMenuEdit->popup(btnExit->mapToGlobal(QPoint(1, btnExit->height() + 1)));
}

void TfrmMain::mnuExitClick()
{
    close();
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    RunGuarded([this] { FormShow(); });
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    bool mayClose = false;
    RunGuarded([&] { mayClose = FormCloseQuery(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    RunGuarded([this] { FormClose(); });
    event->accept();
}

}  // namespace quorvel
