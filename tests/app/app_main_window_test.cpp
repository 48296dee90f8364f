#include "MainWindowTestAccess.h"
#include "app/frmMain.h"
#include "dialogs/ScriptedPrompter.h"
#include "store/Resources.h"

#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <sqlite3.h>

namespace quorvel {
namespace {

using Access = TfrmMainTestAccess;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class MainWindow : public ::testing::Test {
protected:
    TfrmMain& Create(const QString& folder)
    {
        window = std::make_unique<TfrmMain>(folder);
        return *window;
    }
    TfrmMain& Create() { return Create(dir.path()); }
    QString File(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    ScopedPrompter useScript{prompter};
    std::unique_ptr<TfrmMain> window;
};

TEST_F(MainWindow, FirstStartWritesBothFilesAndMakesTheConnectionUnopened)
{
    TfrmMain& w = Create();
    EXPECT_EQ(ReadAll(File("logo.jpg")), ResourceBytes(kLogoResourceName, kLogoResourceType));
    EXPECT_EQ(ReadAll(File("quorvel.db3")),
              ResourceBytes(kDatabaseResourceName, kDatabaseResourceType));
    ASSERT_NE(Access::Database(w), nullptr);
    EXPECT_EQ(Access::Database(w)->fileName(), File("quorvel.db3"));
    EXPECT_FALSE(Access::Database(w)->isOpen());
    EXPECT_EQ(w.AppFolder(), dir.path() + '/');
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(MainWindow, SecondStartLeavesReplacedFilesUntouched)
{
    WriteAll(File("logo.jpg"), "my picture");
    WriteAll(File("quorvel.db3"), "my wiki");
    Create();
    EXPECT_EQ(ReadAll(File("logo.jpg")), QByteArray("my picture"));
    EXPECT_EQ(ReadAll(File("quorvel.db3")), QByteArray("my wiki"));
}

TEST_F(MainWindow, StateStartsAtItsStartValues)
{
    TfrmMain& w = Create();
    EXPECT_FALSE(Access::IsEditing(w));
    EXPECT_FALSE(Access::HistoryMode(w));
    EXPECT_TRUE(Access::IncrementalSearch(w));
    EXPECT_TRUE(Access::SearchContents(w));
    EXPECT_TRUE(Access::OriginalText(w).isEmpty());
    EXPECT_TRUE(Access::ReturnPageId(w).isEmpty());
    EXPECT_EQ(Access::HistoryIndex(w), 0);
    for (int slot = 1; slot <= kBrowseHistorySlots; ++slot)
        EXPECT_EQ(Access::BrowseHistory(w).Slot(slot), QStringLiteral("0")) << slot;
    for (const TextHook& hook : Access::MarkupContext(w)) {
        EXPECT_EQ(hook.function, nullptr);
        EXPECT_EQ(hook.data, nullptr);
    }
    EXPECT_EQ(Access::MarkupFlags(w), 0);
    EXPECT_EQ(Access::MarkupFontSize(w), 0);
    EXPECT_EQ(Access::FindPosition(w), 0);
    EXPECT_EQ(Access::FindOptions(w), 0);
    EXPECT_TRUE(Access::FindText(w).isEmpty());
    EXPECT_EQ(Access::ShowMarkupHelp(w), 0);
}

TEST_F(MainWindow, ShowOpensTheConnectionAndResetsTheModes)
{
    TfrmMain& w = Create();
    Access::IncrementalSearch(w) = false;
    Access::SearchContents(w) = false;
    Access::HistoryMode(w) = true;
    w.memoRichEdit->show();
    w.show();
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(Access::Database(w)->isOpen());
    EXPECT_TRUE(Access::IncrementalSearch(w));
    EXPECT_TRUE(Access::SearchContents(w));
    EXPECT_FALSE(Access::HistoryMode(w));
    EXPECT_FALSE(Access::IsEditing(w));
    EXPECT_FALSE(w.memoRichEdit->isVisible());
    EXPECT_EQ(Access::HistoryIndex(w), 1);
    EXPECT_EQ(w.txtWikiId->text(), QStringLiteral("1"));  // the Home page is in view
    EXPECT_EQ(Access::BrowseHistory(w).Slot(1), QStringLiteral("1"));
    EXPECT_EQ(Access::BrowseHistory(w).Slot(2), QStringLiteral("0"));
}

TEST_F(MainWindow, WindowGeometryTitleAndFont)
{
    TfrmMain& w = Create();
    w.show();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Quorvel"));
    EXPECT_EQ(w.width(), 752);
    EXPECT_EQ(w.height() - w.menuBar()->sizeHint().height(), 634);
    EXPECT_EQ(w.minimumSize(), QSize(752, 590));
    EXPECT_EQ(w.font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(w.font().pointSize(), 8);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    if (screen.width() >= w.width() && screen.height() >= w.height()) {
        EXPECT_LE(std::abs(w.frameGeometry().center().x() - screen.center().x()), 2);
        EXPECT_LE(std::abs(w.frameGeometry().center().y() - screen.center().y()), 2);
    }
}

TEST_F(MainWindow, ToolBarItemsInOrderWithHintsAndPictures)
{
    TfrmMain& w = Create();
    EXPECT_EQ(w.ToolBar1->height(), 28);
    QStringList order;
    for (QAction* a : w.ToolBar1->actions())
        if (QWidget* widget = w.ToolBar1->widgetForAction(a); widget && !widget->objectName().isEmpty())
            order << widget->objectName();
    EXPECT_EQ(order, QStringList({"btnExit", "btnHome", "btnGoUp", "btnGoBack", "btnGoFwd",
                                  "btnHistory", "btnEdit", "btnHelp", "txtSearch", "btnSearch",
                                  "lblTargetURL"}));
    struct Button {
        QToolButton* button;
        ImageIndex image;
        const char* hint;
    };
    for (const Button& b : {Button{w.btnExit, imgExit, "Exit program"},
                            Button{w.btnHome, imgHome, "Go to Home page"},
                            Button{w.btnGoUp, imgUp, "Up to parent page"},
                            Button{w.btnGoBack, imgBack, "Back to previously viewed page"},
                            Button{w.btnGoFwd, imgForward, "Forward to previously viewed page"},
                            Button{w.btnHistory, imgPageHistory, "Show page history"},
                            Button{w.btnEdit, imgEdit, "Edit current page"},
                            Button{w.btnHelp, imgHelp, "View program help"}}) {
        EXPECT_EQ(b.button->toolTip(), QString::fromLatin1(b.hint));
        EXPECT_EQ(b.button->icon().cacheKey(), w.ImageList1[b.image].cacheKey()) << b.hint;
        EXPECT_EQ(b.button->width(), 26);
    }
    ASSERT_EQ(w.ImageList1.size(), 13u);
    for (const QIcon& icon : w.ImageList1) {
        EXPECT_FALSE(icon.isNull());
        EXPECT_EQ(icon.pixmap(16, 16).size(), QSize(16, 16));
    }
    EXPECT_EQ(w.txtSearch->size(), QSize(165, 22));
    EXPECT_FALSE(w.txtSearch->hasFrame());
    EXPECT_EQ(w.btnSearch->size(), QSize(42, 22));
    EXPECT_EQ(w.btnSearch->menu(), w.PopupMenuSearch);
    EXPECT_EQ(w.btnSearch->popupMode(), QToolButton::MenuButtonPopup);
    EXPECT_FALSE(w.btnSearch->icon().isNull());
    EXPECT_EQ(w.lblTargetURL->size(), QSize(268, 22));
    EXPECT_EQ(w.lblTargetURL->alignment(), Qt::AlignRight | Qt::AlignVCenter);
}

// One menu item as "name|caption|shortcut|enabled", separators as "name|-".
QStringList Items(QMenu* menu)
{
    QStringList items;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            items << a->objectName() + "|-";
        else
            items << QStringList{a->objectName(), a->text(), a->shortcut().toString(),
                                 a->isEnabled() ? "on" : "off"}
                         .join('|');
    }
    return items;
}

TEST_F(MainWindow, MenusHoldTheirItemsShortcutsAndStartStates)
{
    TfrmMain& w = Create();
    QStringList titles;
    for (QAction* a : w.menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&Page", "&Help"}));
    EXPECT_EQ(Items(w.mnuFile), QStringList({"mnuBackup|&Backup database||on",
                                             "mnuVacuum|&Compact database||on",
                                             "mnuPrint|&Print page|Ctrl+P|on",
                                             "mnuExit|&Exit||on"}));
    EXPECT_EQ(Items(w.mnuEditMain),
              QStringList({"mnuUndo|&Undo||off", "mnuRedo|&Redo||off", "N2|-", "mnuCut|Cu&t||off",
                           "mnuCopy|&Copy|Ctrl+C|on", "mnuPaste|&Paste||off", "N3|-",
                           "mnuCopyPage|Co&py Page|Ctrl+A|on", "N4|-", "mnuFind|&Find|Ctrl+F|on",
                           "mnuFindNext|Find &next|F3|on", "N9|-",
                           "mnuReplace|Find and rep&lace|Ctrl+H|off"}));
    EXPECT_EQ(Items(w.mnuPage),
              QStringList({"mnuEdit|&Edit this page|Ctrl+E|on", "mnuRename|&Rename this page||on",
                           "mnuRefresh|Re&fresh page||on", "mnuDelete|&Delete this page||on",
                           "N5|-", "mnuGoTo|&Go To page...||on", "mnuGoHome|Go To &Home||on",
                           "N1|-", "mnuRecent|&List recent changes||on"}));
    EXPECT_EQ(Items(w.Help1), QStringList({"mnuWikiHelp|&Quorvel Help|F1|on",
                                           "mnuMarkupHelp|&Wiki markup help||on", "N6|-",
                                           "mnuAbout|&About||on"}));
    EXPECT_EQ(Items(w.PopupMenuSearch),
              QStringList({"mnuIncrementalSearch|&Incremental Search||on",
                           "mnuNonincrementalSearch|&Nonincremental search||on", "N7|-",
                           "mnuTitlesandContents|&Titles and Contents||on",
                           "mnuTitlesOnly|Titles &Only||on"}));
    EXPECT_TRUE(w.mnuIncrementalSearch->isChecked());
    EXPECT_FALSE(w.mnuNonincrementalSearch->isChecked());
    EXPECT_TRUE(w.mnuTitlesandContents->isChecked());
    EXPECT_FALSE(w.mnuTitlesOnly->isChecked());
    EXPECT_EQ(Items(w.PopupMenuEdit),
              QStringList({"Undo1|&Undo||on", "Redo1|&Redo||on", "N8|-", "Cut1|Cu&t||on",
                           "Copy1|&Copy||on", "Paste1|&Paste||on"}));
    EXPECT_EQ(w.btnExit->menu(), nullptr);  // the editing menu is attached to nothing
}

TEST_F(MainWindow, StatusBarPanels)
{
    TfrmMain& w = Create();
    EXPECT_EQ(w.StatusBar1->height(), 19);
    ASSERT_EQ(w.StatusBar1->panelCount(), 6);
    const int widths[] = {60, 115, 90, 115, 90, 100};
    const char* texts[] = {"VIEWING", "Created:", "by:", "Updated:", "by:", " "};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(w.StatusBar1->panelWidth(i), widths[i]) << i;
        EXPECT_EQ(w.StatusBar1->panelText(i), QString::fromLatin1(texts[i])) << i;
    }
    w.StatusBar1->setPanelText(5, QStringLiteral("Home"));
    EXPECT_EQ(w.StatusBar1->panelText(5), QStringLiteral("Home"));
}

TEST_F(MainWindow, ViewerEditorAndHiddenPageId)
{
    TfrmMain& w = Create();
    w.show();
    EXPECT_EQ(w.NewHtmlOutput->ServerRoot(), dir.path() + '/');
    EXPECT_EQ(w.NewHtmlOutput->HistoryLimit(), 99);
    EXPECT_TRUE(w.NewHtmlOutput->isVisible());
    EXPECT_EQ(w.centralWidget()->geometry().size(), w.NewHtmlOutput->size());
    EXPECT_EQ(w.memoRichEdit->font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(w.memoRichEdit->font().pixelSize(), 13);
    EXPECT_EQ(w.memoRichEdit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(w.txtWikiId->isVisible());
    EXPECT_FALSE(w.txtWikiId->isEnabled());
    EXPECT_EQ(w.txtWikiId->focusPolicy(), Qt::NoFocus);
}

TEST_F(MainWindow, CloseWhileEditingWarnsAndStaysOpen)
{
    TfrmMain& w = Create();
    w.show();
    Access::IsEditing(w) = true;
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(Access::IsEditing(w));
    EXPECT_TRUE(Access::Database(w)->isOpen());
    ASSERT_EQ(prompter.messages.size(), 1u);  // no exit question after the warning
    const MessageBoxRequest& box = prompter.messages[0];
    EXPECT_EQ(box.caption, QStringLiteral("Unable to close program"));
    EXPECT_EQ(box.text, QStringLiteral("Please save or cancel edits before closing the program."));
    EXPECT_EQ(box.kind, MessageKind::Warning);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(box.effectiveDefault(), MessageButton::Ok);
    EXPECT_EQ(box.countdownSeconds, 10);
}

TEST_F(MainWindow, ExitConfirmationNoKeepsTheWindowOpen)
{
    TfrmMain& w = Create();
    w.show();
    prompter.messageAnswers = {MessageButton::No};
    EXPECT_FALSE(w.close());
    // Unanswered, the box gives its default button: Enter answers No too.
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(Access::Database(w)->isOpen());
    ASSERT_EQ(prompter.messages.size(), 2u);
    const MessageBoxRequest& box = prompter.messages[0];
    EXPECT_EQ(box.caption, QStringLiteral("Exiting Quorvel"));
    EXPECT_EQ(box.text, QStringLiteral("Are you sure you want to exit?"));
    EXPECT_EQ(box.kind, MessageKind::Confirmation);
    EXPECT_EQ(box.buttons, MessageButtons::YesNo);
    EXPECT_EQ(box.effectiveDefault(), MessageButton::No);
    EXPECT_EQ(box.effectiveCancel(), MessageButton::No);
    EXPECT_EQ(box.countdownSeconds, 0);
}

TEST_F(MainWindow, ExitConfirmedClosesTheConnection)
{
    TfrmMain& w = Create();
    w.show();
    prompter.messageAnswers = {MessageButton::Yes};
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(Access::Database(w)->isOpen());
}

TEST_F(MainWindow, ExitButtonAndMenuAskToClose)
{
    TfrmMain& w = Create();
    w.show();
    prompter.messageAnswers = {MessageButton::No, MessageButton::Yes};
    w.btnExit->click();
    EXPECT_TRUE(w.isVisible());
    w.mnuExit->trigger();
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].caption, QStringLiteral("Exiting Quorvel"));
}

TEST_F(MainWindow, ExitButtonWhileEditingOpensTheEditingMenu)
{
    TfrmMain& w = Create();
    w.show();
    Access::IsEditing(w) = true;
    w.btnExit->click();
    EXPECT_TRUE(w.PopupMenuEdit->isVisible());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(w.isVisible());
    w.PopupMenuEdit->hide();
}

// Bad database files: an error box with SQLite's message, the window stays
// up without a connection, and the file is left byte for byte as it was.
TEST_F(MainWindow, BadDatabaseFileIsReportedAndLeftAlone)
{
    QByteArray damaged = ResourceBytes(kDatabaseResourceName, kDatabaseResourceType);
    damaged.replace(100, 900, QByteArray(900, '\xA5'));
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* message;
    };
    const Case cases[] = {
        {"text file", "notes, not a database\n", "SQLite Error 26 - file is not a database"},
        {"damaged", damaged, "SQLite Error 11 - database disk image is malformed"},
    };
    for (const Case& c : cases) {
        prompter.messages.clear();
        WriteAll(File("quorvel.db3"), c.bytes);
        TfrmMain& w = Create();
        w.show();
        ASSERT_EQ(prompter.messages.size(), 1u) << c.name;
        EXPECT_EQ(prompter.messages[0].caption, QStringLiteral("Quorvel"));
        EXPECT_EQ(prompter.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(prompter.messages[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(prompter.messages[0].text, QString::fromLatin1(c.message)) << c.name;
        EXPECT_TRUE(w.isVisible());
        EXPECT_FALSE(Access::Database(w)->isOpen());
        EXPECT_EQ(Access::HistoryIndex(w), 0);  // the rest of the start was skipped
        window.reset();
        EXPECT_EQ(ReadAll(File("quorvel.db3")), c.bytes) << c.name;
    }
}

TEST_F(MainWindow, LockedDatabaseIsReportedAndLeftAlone)
{
    const QByteArray original = ResourceBytes(kDatabaseResourceName, kDatabaseResourceType);
    WriteAll(File("quorvel.db3"), original);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open_v2(File("quorvel.db3").toUtf8().constData(), &other,
                              SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    TfrmMain& w = Create();
    w.show();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, QStringLiteral("SQLite Error 5 - database is locked"));
    EXPECT_TRUE(w.isVisible());
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    window.reset();
    EXPECT_EQ(ReadAll(File("quorvel.db3")), original);
}

TEST_F(MainWindow, FolderThatCannotBeWrittenIsReportedAndEveryActionFailsAlike)
{
    const QString folder = dir.filePath("gone");
    TfrmMain& w = Create(folder);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(prompter.messages[0].text.startsWith("Cannot create file \"" + folder +
                                                     "/logo.jpg\". "))
        << prompter.messages[0].text.toStdString();
    w.show();
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].text, "SQLite Error 14 - unable to open database file \"" +
                                             folder + "/quorvel.db3\"");
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(QFile::exists(folder));
}

}  // namespace
}  // namespace quorvel
