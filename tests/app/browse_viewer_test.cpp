// The page viewer: raw link targets, hover, the form-control button, find,
// relative pictures, printing, key release and in-page anchors.
#include "app/NewHtmlOutput.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        viewer.resize(640, 480);
        viewer.show();
        QObject::connect(&viewer, &THtmlViewer::HotSpotClick, &viewer,
                         [this](const QString& target, bool* handled) {
                             clicks.push_back(target);
                             *handled = markHandled;
                         });
        QObject::connect(&viewer, &THtmlViewer::HotSpotCovered, &viewer,
                         [this](const QString& target) { covered.push_back(target); });
        QObject::connect(&viewer, &THtmlViewer::ObjectClick, &viewer,
                         [this](QObject* control, const QString& value) {
                             objects.push_back(control);
                             objectValues.push_back(value);
                         });
        QObject::connect(&viewer, &THtmlViewer::KeyUp, &viewer,
                         [this](int key, Qt::KeyboardModifiers) { keys.push_back(key); });
    }

    void Load(const QByteArray& html)
    {
        viewer.LoadFromBuffer(html);
        QApplication::processEvents();
    }

    // Viewport point in the middle of the first occurrence of `text`.
    QPoint PointOf(const QString& text)
    {
        const QTextCursor found = viewer.document()->find(text);
        EXPECT_FALSE(found.isNull()) << text.toStdString();
        QTextCursor middle(viewer.document());
        middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
        const QRect r = viewer.cursorRect(middle);
        return r.center();
    }

    void SendMouse(QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
    {
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
        QMouseEvent event(type, pos, viewer.viewport()->mapToGlobal(pos),
                          type == QEvent::MouseMove ? Qt::NoButton : button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(viewer.viewport(), &event);
    }

    void Click(QPoint pos)
    {
        SendMouse(QEvent::MouseButtonPress, pos);
        SendMouse(QEvent::MouseButtonRelease, pos);
    }

    THtmlViewer viewer;
    bool markHandled = false;
    std::vector<QString> clicks;
    std::vector<QString> covered;
    std::vector<QObject*> objects;
    std::vector<QString> objectValues;
    std::vector<int> keys;
};

TEST_F(ViewerTest, LinkClickReportsTheHrefAsWritten)
{
    Load("<html><body><p><a href=\"a&amp;b c\">first</a></p>"
         "<p><a href=\"My Page\r\n  Name\">second</a></p>"
         "<p><a href=\"caf\xc3\xa9 %20 x\">third</a></p>"
         "<p><a href=\"Manual.PDF\">fourth</a></p></body></html>");
    Click(PointOf("first"));
    Click(PointOf("second"));
    Click(PointOf("third"));
    Click(PointOf("fourth"));
    ASSERT_EQ(clicks.size(), 4u);
    EXPECT_EQ(clicks[0], "a&b c");
    EXPECT_EQ(clicks[1], "My Page\r\n  Name");
    EXPECT_EQ(clicks[2], QString::fromUtf8("caf\xc3\xa9 %20 x"));
    EXPECT_EQ(clicks[3], "Manual.PDF");
}

TEST_F(ViewerTest, KeyboardActivationReportsTheHrefAsWritten)
{
    Load("<p>text <a href=\"Caf\xc3\xa9 &amp; Co\">the link</a></p>");
    viewer.setFocus();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(&viewer, &tab);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&viewer, &enter);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], QString::fromUtf8("Caf\xc3\xa9 & Co"));
}

TEST_F(ViewerTest, ClickOutsideALinkReportsNothing)
{
    Load("<p>plain words <a href=\"Target\">link</a></p>");
    Click(PointOf("plain"));
    EXPECT_TRUE(clicks.empty());
}

TEST_F(ViewerTest, PointerOverALinkAndOffIt)
{
    Load("<p>before <a href=\"Some Page\">the link</a> after</p><p>more</p>");
    SendMouse(QEvent::MouseMove, PointOf("the link"));
    SendMouse(QEvent::MouseMove, PointOf("the link") + QPoint(1, 0));
    SendMouse(QEvent::MouseMove, PointOf("more"));
    ASSERT_EQ(covered.size(), 2u);
    EXPECT_EQ(covered[0], "Some Page");
    EXPECT_EQ(covered[1], "");

    SendMouse(QEvent::MouseMove, PointOf("the link"));
    EXPECT_EQ(viewer.HoveredLink(), "Some Page");
    // The link under the pointer turns teal.
    ASSERT_EQ(viewer.extraSelections().size(), 1);
    EXPECT_EQ(viewer.extraSelections()[0].format.foreground().color(), QColor(0, 128, 128));
    EXPECT_EQ(viewer.extraSelections()[0].cursor.selectedText(), "the link");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&viewer, &leave);
    EXPECT_EQ(covered.back(), "");
    EXPECT_TRUE(viewer.extraSelections().isEmpty());
}

TEST_F(ViewerTest, ButtonInputIsAClickablePushButton)
{
    Load("<html><body><H1>What's New</H1><p>This is a log.</p><p align=\"center\"><input "
         "type=\"button\" value=\" Add New Entry \" OnClick=\"display\"></p><HR>"
         "<p>after the button</p></body></html>");
    const std::vector<QPushButton*> buttons = viewer.FormControls();
    ASSERT_EQ(buttons.size(), 1u);
    QPushButton* button = buttons[0];
    EXPECT_EQ(button->text(), " Add New Entry ");
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(button->parentWidget(), viewer.viewport());
    // Between the paragraph above and the text below, inside the viewport.
    EXPECT_GT(button->y(), PointOf("This is a log").y());
    EXPECT_LT(button->geometry().bottom(), PointOf("after the button").y());
    EXPECT_TRUE(viewer.viewport()->rect().contains(button->geometry()));
    // The markup of the input is not shown as text.
    EXPECT_FALSE(viewer.toPlainText().contains("input"));

    button->click();
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0], button);
    EXPECT_EQ(objectValues[0], "display");

    // A new document drops the old button.
    Load("<p>no controls</p>");
    EXPECT_TRUE(viewer.FormControls().empty());
}

TEST_F(ViewerTest, AButtonMayLoadTheNextDocument)
{
    Load("<p><input type=\"button\" value=\"Next\" OnClick=\"display\"></p>");
    QObject::connect(&viewer, &THtmlViewer::ObjectClick, &viewer,
                     [this] { viewer.LoadFromBuffer("<p>next page</p>"); });
    viewer.FormControls().at(0)->click();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(viewer.toPlainText(), "next page");
    EXPECT_TRUE(viewer.FormControls().empty());
    EXPECT_TRUE(viewer.viewport()->findChildren<QPushButton*>().isEmpty());
}

TEST_F(ViewerTest, ButtonFollowsScrolling)
{
    QByteArray html = "<p align=\"center\"><input type=\"button\" value=\"Go\" OnClick=\"x\"></p>";
    for (int i = 0; i < 200; ++i)
        html += "<p>filler line</p>";
    Load(html);
    QPushButton* button = viewer.FormControls().at(0);
    const int before = button->y();
    viewer.verticalScrollBar()->setValue(40);
    QApplication::processEvents();
    EXPECT_EQ(button->y(), before - 40);
}

TEST_F(ViewerTest, FindsForwardIgnoringCaseWithoutWrapping)
{
    Load("<p>alpha beta</p><p>gamma ALPHA</p>");
    EXPECT_TRUE(viewer.FindForward("Alpha"));
    EXPECT_EQ(viewer.SelectedText(), "alpha");
    const int first = viewer.textCursor().selectionStart();
    EXPECT_TRUE(viewer.FindForward("Alpha"));
    EXPECT_EQ(viewer.SelectedText(), "ALPHA");
    EXPECT_GT(viewer.textCursor().selectionStart(), first);
    const int second = viewer.textCursor().selectionStart();
    EXPECT_FALSE(viewer.FindForward("Alpha"));
    EXPECT_EQ(viewer.textCursor().selectionStart(), second);
    EXPECT_FALSE(viewer.FindForward("alpha", true) && viewer.SelectedText() == "ALPHA");
    EXPECT_FALSE(viewer.FindForward(""));
}

TEST_F(ViewerTest, FindScrollsTheMatchIntoView)
{
    QByteArray html;
    for (int i = 0; i < 300; ++i)
        html += "<p>filler</p>";
    html += "<p>needle</p>";
    Load(html);
    EXPECT_EQ(viewer.verticalScrollBar()->value(), 0);
    EXPECT_TRUE(viewer.FindForward("NEEDLE"));
    EXPECT_GT(viewer.verticalScrollBar()->value(), 0);
}

TEST_F(ViewerTest, SelectedTextUsesCrLf)
{
    Load("<p>one</p><p>two</p>");
    QTextCursor all(viewer.document());
    all.select(QTextCursor::Document);
    viewer.setTextCursor(all);
    EXPECT_EQ(viewer.SelectedText(), "one\r\ntwo");
}

TEST_F(ViewerTest, RelativePicturesResolveAgainstTheServerRoot)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage logo(64, 64, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(folder.filePath("logo.jpg"), "JPG"));

    viewer.SetServerRoot(folder.path() + "/");
    Load("<H1>Home</H1><IMG SRC=\"logo.jpg\" BORDER=\"0\" ALIGN=\"right\"><p>x</p>");
    const QVariant picture = viewer.document()->resource(QTextDocument::ImageResource,
                                                         QUrl("logo.jpg"));
    const QImage image = picture.value<QImage>();
    EXPECT_EQ(image.size(), QSize(64, 64));

    viewer.SetServerRoot(folder.filePath("elsewhere") + "/");
    Load("<IMG SRC=\"logo.jpg\"><p>y</p>");
    EXPECT_TRUE(viewer.document()->resource(QTextDocument::ImageResource, QUrl("logo.jpg"))
                    .value<QImage>()
                    .isNull());
}

TEST_F(ViewerTest, NestedDocumentShowsAsOnePage)
{
    Load("<html><head><title>=T=\r\n</title><style type=\"text/css\">h1{color: blue}</style>"
         "</head><body><H1>Home</H1><html>\r\n<body>\r\n<p>inner text</p>\r\n</body>\r\n"
         "</html></body></html>");
    // The inner html and body add no blocks of their own.
    QStringList lines;
    for (const QString& line : viewer.toPlainText().split('\n'))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    EXPECT_EQ(lines, (QStringList{"Home", "inner text"}));
    const QTextCursor heading = viewer.document()->find("Home");
    EXPECT_EQ(heading.charFormat().foreground().color(), QColor(Qt::blue));
}

TEST_F(ViewerTest, PreformattedTextStartsWithItsFirstLine)
{
    Load("<p>before</p><pre>\r\nfirst   line\r\nsecond\r\n</pre>");
    const QTextBlock pre = viewer.document()->find("first").block();
    EXPECT_EQ(pre.text(), "first   line");
    EXPECT_EQ(pre.previous().text(), "before");
    EXPECT_EQ(pre.charFormat().fontFamilies().toStringList().value(0), "Courier New");
}

TEST_F(ViewerTest, NestedListFollowsItsItemWithoutAGap)
{
    Load("<ul>\r\n  <li>outer\r\n<ul>\r\n    <li>inner</li>\r\n</ul>\r\n</li>\r\n</ul>"
         "<p>after</p>");
    const QTextBlock outer = viewer.document()->find("outer").block();
    const QTextBlock inner = viewer.document()->find("inner").block();
    EXPECT_EQ(outer.blockFormat().bottomMargin(), 0);
    EXPECT_EQ(inner.blockFormat().topMargin(), 0);
    // The gap below the list stays, now below its nested list.
    EXPECT_GT(inner.blockFormat().bottomMargin(), 0);
}

TEST_F(ViewerTest, BackspaceReleaseIsReported)
{
    Load("<p>x</p>");
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Backspace, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&viewer, &repeated);
    EXPECT_TRUE(keys.empty());
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Backspace, Qt::ShiftModifier);
    QApplication::sendEvent(&viewer, &release);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0], Qt::Key_Backspace);
}

TEST_F(ViewerTest, UnhandledInPageAnchorScrollsToIt)
{
    QByteArray html = "<p><a href=\"#far\">jump</a></p>";
    for (int i = 0; i < 300; ++i)
        html += "<p>filler</p>";
    html += "<h2 id=\"far\">Far heading</h2>";
    Load(html);
    markHandled = true;
    Click(PointOf("jump"));
    EXPECT_EQ(viewer.verticalScrollBar()->value(), 0);
    markHandled = false;
    Click(PointOf("jump"));
    EXPECT_GT(viewer.verticalScrollBar()->value(), 0);
    EXPECT_EQ(clicks, (std::vector<QString>{"#far", "#far"}));
}

// Text of a PDF file, through pdftotext (poppler-utils).
QString PdfText(const QString& file, int firstPage = 0, int lastPage = 0)
{
    QStringList args;
    if (firstPage > 0)
        args << "-f" << QString::number(firstPage) << "-l" << QString::number(lastPage);
    args << file << "-";
    QProcess process;
    process.start("pdftotext", args);
    if (!process.waitForFinished(30000))
        return QStringLiteral("<pdftotext did not run>");
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPageCount(const QString& file)
{
    QProcess process;
    process.start("pdfinfo", {file});
    process.waitForFinished(30000);
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString& line : info.split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

TEST_F(ViewerTest, PrintsThePagesWordsToPdf)
{
    QTemporaryDir folder;
    Load("<html><body><H1>Sandbox</H1><p>Quorvel prints zebra words.</p>"
         "<table><tr><td>cell one</td><td>cell two</td></tr></table>"
         "<p align=\"center\"><input type=\"button\" value=\"Press\" OnClick=\"x\"></p>"
         "</body></html>");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath("page.pdf"));
    viewer.Print(printer, 1, 9999);
    ASSERT_TRUE(QFile::exists(folder.filePath("page.pdf")));
    const QString text = PdfText(folder.filePath("page.pdf"));
    EXPECT_TRUE(text.contains("Quorvel prints zebra words.")) << text.toStdString();
    EXPECT_TRUE(text.contains("cell one")) << text.toStdString();
    EXPECT_EQ(PdfPageCount(folder.filePath("page.pdf")), 1);
    // Margins of 2.0 cm on all four sides.
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    EXPECT_NEAR(margins.left(), 20.0, 0.01);
    EXPECT_NEAR(margins.top(), 20.0, 0.01);
    EXPECT_NEAR(margins.right(), 20.0, 0.01);
    EXPECT_NEAR(margins.bottom(), 20.0, 0.01);
    EXPECT_EQ(printer.colorMode(), QPrinter::GrayScale);
}

TEST_F(ViewerTest, PrintsTheChosenPageRange)
{
    QTemporaryDir folder;
    QByteArray html;
    for (int i = 1; i <= 300; ++i)
        html += "<p>line " + QByteArray::number(i) + "</p>";
    Load(html);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath("all.pdf"));
    viewer.Print(printer, 1, 9999);
    const int pages = PdfPageCount(folder.filePath("all.pdf"));
    ASSERT_GT(pages, 2);
    EXPECT_TRUE(PdfText(folder.filePath("all.pdf")).contains("line 300"));

    QPrinter second(QPrinter::HighResolution);
    second.setOutputFormat(QPrinter::PdfFormat);
    second.setOutputFileName(folder.filePath("two.pdf"));
    viewer.Print(second, 2, 2);
    EXPECT_EQ(PdfPageCount(folder.filePath("two.pdf")), 1);
    const QString text = PdfText(folder.filePath("two.pdf"));
    EXPECT_FALSE(text.contains("line 1\n")) << text.toStdString();
    EXPECT_EQ(text.trimmed(), PdfText(folder.filePath("all.pdf"), 2, 2).trimmed());
}

}  // namespace
}  // namespace quorvel
