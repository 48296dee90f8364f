// Page display and navigation in the main window, on the template wiki in a
// temporary folder. Every modal interaction goes to a scripted prompter.
#include "app/NewHtmlOutput.h"
#include "app/frmMain.h"
#include "dialogs/QtPrompter.h"
#include "dialogs/ScriptedPrompter.h"
#include "markup/MarkupEngine.h"
#include "store/Dates.h"
#include "wiki/MarkupConversion.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QToolButton>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace quorvel {
namespace {

// Opens targets for real (no program starts for a missing file) and records
// everything else like the scripted prompter.
class RealOpenPrompter : public ScriptedPrompter {
public:
    OpenTargetResult openTarget(const QString& target) override
    {
        openedTargets.push_back(target);
        return QtPrompter().openTarget(target);
    }
};

class BrowseWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    // Creates the window (writing the template wiki into the folder).
    void Create() { window = std::make_unique<TfrmMain>(folder.path()); }

    void Show()
    {
        window->show();
        QApplication::processEvents();
    }

    void Start()
    {
        Create();
        Show();
    }

    void Sql(const QByteArray& sql)
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(folder.filePath("quorvel.db3").toUtf8().constData(), &raw),
                  SQLITE_OK);
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(raw, sql.constData(), nullptr, nullptr, &error), SQLITE_OK)
            << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(raw);
    }

    void Follow(const QString& target)
    {
        bool handled = false;
        window->NewHtmlOutputHotSpotClick(target, &handled);
        EXPECT_FALSE(handled);
    }

    // Viewport point inside the first occurrence of `text` in the viewer.
    QPoint PointOf(const QString& text) const
    {
        THtmlViewer* viewer = window->NewHtmlOutput;
        const QTextCursor found = viewer->document()->find(text);
        EXPECT_FALSE(found.isNull()) << text.toStdString();
        QTextCursor at(viewer->document());
        at.setPosition(found.selectionStart() + 1);
        return viewer->cursorRect(at).center() + QPoint(2, 0);
    }

    void ClickAt(QPoint pos)
    {
        THtmlViewer* viewer = window->NewHtmlOutput;
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, pos, viewer->viewport()->mapToGlobal(pos), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(viewer->viewport(), &event);
        }
    }

    QString Id() const { return window->txtWikiId->text(); }
    QString Shown() const { return window->NewHtmlOutput->toPlainText(); }
    // The first line shown, without the logo's object character.
    QString FirstLine() const
    {
        QString line = Shown().section(u'\n', 0, 0);
        line.remove(QChar::ObjectReplacementCharacter);
        return line.trimmed();
    }
    int HistoryIndex() const { return window->BrowseHistoryState().HistoryIndex(); }
    QString Panel(int n) const { return window->StatusBar1->panelText(n); }

    QTemporaryDir folder;
    ScriptedPrompter prompter;
    ScopedPrompter installed{prompter};
    std::unique_ptr<TfrmMain> window;
};

TEST_F(BrowseWindowTest, StartShowsHomeWithItsHeaderAndLogoAndNoHeadingOfItsOwn)
{
    Start();
    EXPECT_EQ(Id(), "1");
    EXPECT_EQ(window->lblTargetURL->text(), "Home");
    EXPECT_EQ(HistoryIndex(), 1);
    EXPECT_EQ(window->BrowseHistoryState().Slot(1), "1");
    EXPECT_EQ(FirstLine(), "Home");
    EXPECT_EQ(Shown().count("Home"), 1);  // the header only, no title heading
    EXPECT_TRUE(Shown().contains("Welcome to Quorvel"));
    EXPECT_TRUE(Shown().contains("Getting Started"));
    const QImage logo = window->NewHtmlOutput->document()
                            ->resource(QTextDocument::ImageResource, QUrl("logo.jpg"))
                            .value<QImage>();
    EXPECT_EQ(logo.size(), QSize(64, 64));
    // The editor holds the page text with CR LF line breaks.
    EXPECT_TRUE(window->EditorText().startsWith("Welcome to **Quorvel**"));
    EXPECT_TRUE(window->EditorText().contains("\r\n* [[Getting Started]]\r\n"));
    EXPECT_TRUE(window->memoRichEdit->isHidden());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(BrowseWindowTest, StatusBarShowsStampsInTheShortDateFormat)
{
    Start();
    EXPECT_EQ(Panel(1), "Created: " + ShortDateText(JulianToDate(2455564.5)));
    EXPECT_EQ(Panel(2), "by: quorvel");
    EXPECT_EQ(Panel(3), "Updated: " + ShortDateText(JulianToDate(2455578.5)));
    EXPECT_EQ(Panel(4), "by: quorvel");
    // A page never updated: no editor and the date of a NULL day.
    Follow("Projects");
    EXPECT_EQ(Panel(3), "Updated: " + ShortDateText(JulianToDate(0.0)));
    EXPECT_EQ(Panel(4), "by: ");
}

TEST_F(BrowseWindowTest, LinkInOtherCapitalsIsHeadedAsWritten)
{
    Start();
    Follow("getting STARTED");
    EXPECT_EQ(Id(), window->GetWikiId("Getting Started", true));
    EXPECT_NE(Id(), "0");
    EXPECT_EQ(window->lblTargetURL->text(), "getting STARTED");
    EXPECT_EQ(FirstLine(), "getting STARTED");
    EXPECT_EQ(HistoryIndex(), 2);
    EXPECT_EQ(window->BrowseHistoryState().Slot(2), Id());
    // The heading is a level-1 heading in blue.
    const QTextCursor heading = window->NewHtmlOutput->document()->find("getting STARTED");
    EXPECT_EQ(heading.blockFormat().headingLevel(), 1);
}

TEST_F(BrowseWindowTest, WhatsNewByLinkShowsItsHeaderAndButtonAndUpLeadsHome)
{
    Start();
    Follow("What's New");
    EXPECT_EQ(Id(), "3");
    EXPECT_TRUE(Shown().contains("This is an automatic log page"));
    const auto buttons = window->NewHtmlOutput->FormControls();
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons[0]->text(), " Add New Entry ");
    EXPECT_TRUE(buttons[0]->isVisible());
    window->btnGoUpClick();
    EXPECT_EQ(Id(), "1");
    EXPECT_EQ(HistoryIndex(), 2);  // Up records nothing
}

TEST_F(BrowseWindowTest, UpOnAPageNoOneLinksToChangesNothing)
{
    Create();
    Sql("INSERT INTO WikiPages (wiki_id, WikiWord, Content, CreatedBy, CreatedByDate) "
        "VALUES (40, 'Orphan', 'alone', 'me', 2455578.5)");
    Show();
    window->RetrieveById(40);
    window->btnGoUpClick();
    EXPECT_EQ(Id(), "40");
    EXPECT_EQ(window->FindParent("Orphan"), "0");
    EXPECT_EQ(window->FindParent("Getting Started"), "1");
}

TEST_F(BrowseWindowTest, MissingPageAsksToCreateItAndChangesNothingOnNo)
{
    Start();
    prompter.messageAnswers.push_back(MessageButton::No);
    Follow("Nowhere Page");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "New WikiWord");
    EXPECT_EQ(prompter.messages[0].text,
              "WikiWord \"Nowhere Page\" does not exist.\r\n\r\nDo you wish to create a new page?");
    EXPECT_EQ(prompter.messages[0].effectiveDefault(), MessageButton::No);
    EXPECT_EQ(Id(), "1");
    EXPECT_EQ(HistoryIndex(), 1);
}

TEST_F(BrowseWindowTest, PageWithEmptyTextCountsAsMissing)
{
    Create();
    Sql("INSERT INTO WikiPages (wiki_id, WikiWord, Content, CreatedBy, CreatedByDate) "
        "VALUES (41, 'Blank', '', 'me', 2455578.5)");
    Show();
    Follow("Blank");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "New WikiWord");
    window->RetrieveById(41);
    EXPECT_EQ(Id(), "1");
}

TEST_F(BrowseWindowTest, MissingFileGivesTheFileNotFoundBox)
{
    RealOpenPrompter opener;
    ScopedPrompter installedOpener(opener);
    Start();
    Follow("no-such-manual-4711.PDF");
    ASSERT_EQ(opener.openedTargets.size(), 1u);
    EXPECT_EQ(opener.openedTargets[0], "no-such-manual-4711.PDF");
    ASSERT_EQ(opener.messages.size(), 1u);
    EXPECT_EQ(opener.messages[0].caption, "Unable to open file");
    EXPECT_EQ(opener.messages[0].text,
              "Error message: file not found\r\n\r\nPlease check the link in the wiki source.");
    EXPECT_EQ(opener.messages[0].countdownSeconds, 10);
    EXPECT_EQ(Id(), "1");
    EXPECT_EQ(HistoryIndex(), 1);
}

TEST_F(BrowseWindowTest, TargetsOutsideTheWikiGoToTheDesktop)
{
    Start();
    prompter.openAnswers = {kOpenSucceeded, kOpenNoAssociation, 4};
    Follow("http://www.sqlite.org");
    EXPECT_TRUE(prompter.messages.empty());
    Follow("Report.docx");
    Follow("welcome.company");
    EXPECT_EQ(prompter.openedTargets,
              (std::vector<QString>{"http://www.sqlite.org", "Report.docx", "welcome.company"}));
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].text,
              "Error message: no application associated with the given filename extension"
              "\r\n\r\nPlease check the link in the wiki source.");
    EXPECT_TRUE(prompter.messages[1].text.startsWith("Error message: unspecified, code: 4\r\n"));
    // HTTP-guide is a WikiWord: looked up, and missing.
    prompter.messageAnswers.push_back(MessageButton::No);
    Follow("HTTP-guide");
    EXPECT_EQ(prompter.openedTargets.size(), 3u);
    EXPECT_EQ(prompter.messages.back().caption, "New WikiWord");
}

TEST_F(BrowseWindowTest, BackForwardAndBackspace)
{
    Start();
    Follow("Projects");
    const QString projects = Id();
    Follow("Project Ideas");
    const QString ideas = Id();
    EXPECT_EQ(HistoryIndex(), 3);

    window->btnGoBackClick();
    EXPECT_EQ(Id(), projects);
    QKeyEvent backspace(QEvent::KeyRelease, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(window->NewHtmlOutput, &backspace);
    EXPECT_EQ(Id(), "1");
    EXPECT_EQ(HistoryIndex(), 1);
    window->btnGoBackClick();
    EXPECT_EQ(HistoryIndex(), 1);

    window->btnGoFwdClick();
    EXPECT_EQ(Id(), projects);
    window->btnGoFwdClick();
    EXPECT_EQ(Id(), ideas);
    window->btnGoFwdClick();  // onto a never-used slot
    EXPECT_EQ(Id(), ideas);
    EXPECT_EQ(HistoryIndex(), 3);

    // Back twice, then a link: it takes slot 2, Forward still leads to slot 3.
    window->btnGoBackClick();
    window->btnGoBackClick();
    Follow("Reference");
    EXPECT_EQ(HistoryIndex(), 2);
    window->btnGoFwdClick();
    EXPECT_EQ(Id(), ideas);
}

TEST_F(BrowseWindowTest, HomeShowsPageOneWithoutRecordingIt)
{
    Start();
    Follow("Projects");
    window->btnHomeClick();
    EXPECT_EQ(Id(), "1");
    EXPECT_EQ(HistoryIndex(), 2);
    window->mnuGoHome->trigger();
    EXPECT_EQ(Id(), "1");
    window->btnGoBack->click();
    EXPECT_EQ(Id(), "1");  // slot 1
    window->btnGoFwd->click();
    EXPECT_NE(Id(), "1");
    window->btnHome->click();
    EXPECT_EQ(Id(), "1");
}

TEST_F(BrowseWindowTest, SearchTextIsSelectedInAPageOpenedByLink)
{
    Start();
    window->txtSearch->setText("LOOKING");
    Follow("Reference");
    EXPECT_EQ(window->NewHtmlOutput->SelectedText(), "looking");
    window->txtSearch->clear();
    Follow("People");
    EXPECT_TRUE(window->NewHtmlOutput->SelectedText().isEmpty());
}

TEST_F(BrowseWindowTest, PointerOverALinkShowsItInPanelFive)
{
    Start();
    emit window->NewHtmlOutput->HotSpotCovered("Getting Started");
    EXPECT_EQ(Panel(5), "Getting Started");
    emit window->NewHtmlOutput->HotSpotCovered("");
    EXPECT_EQ(Panel(5), "");
}

// The markup of a paragraph whose link to `title` the engine wraps inside
// the href: filler words grow until the converted href holds a line end.
QByteArray WrappedLinkMarkup(const QString& title)
{
    for (int words = 1; words < 40; ++words) {
        QByteArray markup;
        for (int i = 0; i < words; ++i)
            markup += "word ";
        markup += "[[" + title.toUtf8() + "]]";
        QByteArray html;
        if (ConvertMarkup(markup, HtmlOutputFormat(), html) != 0)
            continue;
        const qsizetype href = html.indexOf("href=\"");
        const qsizetype end = html.indexOf('"', href + 6);
        if (href >= 0 && html.mid(href, end - href).contains('\n'))
            return markup;
    }
    return {};
}

TEST_F(BrowseWindowTest, LinkWrappedInsideItsHrefIsFollowed)
{
    const QString title = "Alpha Beta Gamma Delta Epsilon";
    const QByteArray markup = WrappedLinkMarkup(title);
    ASSERT_FALSE(markup.isEmpty()) << "the engine never wrapped the href";
    Create();
    Sql("INSERT INTO WikiPages (wiki_id, WikiWord, Content, CreatedBy, CreatedByDate) VALUES "
        "(42, 'Alpha Beta Gamma Delta Epsilon', 'Greek letters', 'me', 2455578.5), "
        "(43, 'Wrapper', '" + markup + "', 'me', 2455578.5)");
    Show();
    window->RetrieveById(43);
    ASSERT_TRUE(window->NewHtmlOutput->anchorAt(PointOf("Alpha")).contains('\n'));
    ClickAt(PointOf("Alpha"));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(Id(), "42");
    EXPECT_EQ(window->lblTargetURL->text(), title);
}

TEST_F(BrowseWindowTest, LinksWithCharactersTheHtmlEscapesAreFollowed)
{
    Create();
    Sql("INSERT INTO WikiPages (wiki_id, WikiWord, Content, CreatedBy, CreatedByDate) VALUES "
        "(44, 'Tom & Jerry', 'cat and mouse', 'me', 2455578.5), "
        "(45, 'Say \"hi\" <now>', 'greeting', 'me', 2455578.5), "
        "(46, 'Links', '[[Tom & Jerry|first]] and [[Say \"hi\" <now>|second]]', 'me', "
        "2455578.5)");
    Show();
    window->RetrieveById(46);
    ClickAt(PointOf("first"));
    EXPECT_EQ(Id(), "44");
    EXPECT_EQ(window->lblTargetURL->text(), "Tom & Jerry");
    window->RetrieveById(46);
    ClickAt(PointOf("second"));
    EXPECT_EQ(Id(), "45");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(BrowseWindowTest, DailyLogPagesAreHeadedWhatsNewFor)
{
    Create();
    Sql("INSERT INTO WikiPages (wiki_id, WikiWord, Content, CreatedBy, CreatedByDate) VALUES "
        "(47, 'News$_1/17/2011', 'a log entry', 'me', 2455578.5)");
    Show();
    Follow("News$_1/17/2011");
    EXPECT_EQ(Id(), "47");
    EXPECT_EQ(FirstLine(), "What's New for 1/17/2011");
    EXPECT_EQ(window->lblTargetURL->text(), "News$_1/17/2011");
}

TEST_F(BrowseWindowTest, LoneLineFeedsReachTheEditorAsCrLf)
{
    Start();
    window->RetrieveById(3);
    EXPECT_EQ(Id(), "3");
    EXPECT_EQ(window->EditorText(), "\r\n");
    EXPECT_EQ(FirstLine(), "What's New");
}

TEST_F(BrowseWindowTest, ReloadSourceAndGetWikiWordTouchOnlyTheirControl)
{
    Start();
    window->ReloadSource(8);
    EXPECT_TRUE(window->EditorText().startsWith("Things worth looking up:\r\n"));
    EXPECT_EQ(Id(), "1");
    EXPECT_EQ(window->lblTargetURL->text(), "Home");
    window->GetWikiWord(8);
    EXPECT_EQ(window->lblTargetURL->text(), "Reference");
    EXPECT_EQ(Id(), "1");
    window->ReloadSource(99);
    EXPECT_EQ(window->EditorText(), "");
    window->GetWikiWord(99);
    EXPECT_EQ(window->lblTargetURL->text(), "");
    EXPECT_EQ(window->GetWikiId("reference", false), "8");
    EXPECT_EQ(window->GetWikiId("reference", true), "0");
}

TEST_F(BrowseWindowTest, SandboxShowsEveryConstruct)
{
    Start();
    Follow("Sandbox");
    EXPECT_EQ(Id(), "2");
    QTextDocument* doc = window->NewHtmlOutput->document();
    EXPECT_EQ(FirstLine(), "Sandbox");
    EXPECT_TRUE(Shown().contains("This Sandbox is a place"));
    int tables = 0, lists = 0, pre = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block.textList())
            ++lists;
        if (QTextCursor(block).currentTable())
            ++tables;
        if (block.blockFormat().nonBreakableLines() && block.text().contains("keeps its"))
            ++pre;
    }
    EXPECT_GT(tables, 0);
    EXPECT_GT(lists, 4);
    EXPECT_EQ(pre, 1);
    EXPECT_TRUE(Shown().contains("Preformatted text keeps its    spaces"));
}

TEST_F(BrowseWindowTest, PrintsTheViewerOrTheEditorThroughThePrintDialog)
{
    Start();
    prompter.printAnswers = {true, true, false};
    window->mnuPrintClick();
    ASSERT_EQ(prompter.prints.size(), 1u);
    EXPECT_TRUE(prompter.prints[0].documentText.contains("Welcome to Quorvel"));
    EXPECT_EQ(prompter.prints[0].title, "Home");

    window->memoRichEdit->show();  // as while editing
    window->mnuPrint->trigger();
    ASSERT_EQ(prompter.prints.size(), 2u);
    EXPECT_TRUE(prompter.prints[1].documentText.startsWith("Welcome to **Quorvel**"));
    EXPECT_EQ(prompter.prints[1].title, "Home");
    ASSERT_TRUE(prompter.prints[1].range.has_value());
    EXPECT_EQ(prompter.prints[1].range->maxPage, 9999);
}

}  // namespace
}  // namespace quorvel
