// The main window's page display and navigation: loading a page into the
// editor, title, id field and status bar, composing and showing its HTML,
// following links, the browse history, Up, Home and printing.
#include "app/frmMain.h"

#include "app/ErrorHandler.h"
#include "app/NewHtmlOutput.h"
#include "markup/MarkupEngine.h"
#include "store/Dates.h"
#include "wiki/LinkMessages.h"
#include "wiki/LinkTargets.h"
#include "wiki/MarkupConversion.h"
#include "wiki/PageDocument.h"
#include "wiki/PageRows.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTextDocument>

namespace quorvel {

namespace {

constexpr int kCreatedPanel = 1;
constexpr int kCreatorPanel = 2;
constexpr int kUpdatedPanel = 3;
constexpr int kEditorPanel = 4;
constexpr int kLinkPanel = 5;

QString DayText(double julian)
{
    return ShortDateText(JulianToDate(julian));
}

}  // namespace

void TfrmMain::ConnectBrowsing()
{
    ConnectGuarded(btnHome, &QToolButton::clicked, this, &TfrmMain::btnHomeClick);
    ConnectGuarded(mnuGoHome, &QAction::triggered, this, &TfrmMain::btnHomeClick);
    ConnectGuarded(btnGoUp, &QToolButton::clicked, this, &TfrmMain::btnGoUpClick);
    ConnectGuarded(btnGoBack, &QToolButton::clicked, this, &TfrmMain::btnGoBackClick);
    ConnectGuarded(btnGoFwd, &QToolButton::clicked, this, &TfrmMain::btnGoFwdClick);
    ConnectGuarded(mnuPrint, &QAction::triggered, this, &TfrmMain::mnuPrintClick);
    connect(NewHtmlOutput, &THtmlViewer::HotSpotClick, this,
            [this](const QString& target, bool* handled) {
                RunGuarded([&] { NewHtmlOutputHotSpotClick(target, handled); });
            });
    connect(NewHtmlOutput, &THtmlViewer::HotSpotCovered, this, [this](const QString& target) {
        RunGuarded([&] { NewHtmlOutputHotSpotCovered(target); });
    });
    connect(NewHtmlOutput, &THtmlViewer::KeyUp, this,
            [this](int key, Qt::KeyboardModifiers shift) {
                RunGuarded([&] { NewHtmlOutputKeyUp(key, shift); });
            });
}

// --- page display ---------------------------------------------------------

void TfrmMain::ShowPageRow(const PageRow& row)
{
    memoRichEdit->setPlainText(ToCrLf(row.content));
    memoRichEdit->repaint();
    txtWikiId->setText(QString::number(row.wikiId));
    StatusBar1->setPanelText(kCreatedPanel, QStringLiteral("Created: ") + DayText(row.createdByDate));
    StatusBar1->setPanelText(kCreatorPanel, QStringLiteral("by: ") + row.createdBy);
    StatusBar1->setPanelText(kUpdatedPanel, QStringLiteral("Updated: ") + DayText(row.updatedByDate));
    StatusBar1->setPanelText(kEditorPanel, QStringLiteral("by: ") + row.updatedBy);
}

void TfrmMain::RetrieveById(std::int32_t id)
{
    const PageRow row = ReadPageById(*Database, id);
    if (row.content.isEmpty())
        return;
    ShowPageRow(row);
    lblTargetURL->setText(row.wikiWord);
    ComposePage();
    NewHtmlOutput->setFocus();
}

bool TfrmMain::RetrieveByWord(const QString& word)
{
    const PageRow row = ReadPageByWord(*Database, word);
    if (row.content.isEmpty())
        return false;
    ShowPageRow(row);
    // Headed as the link writes the title, not as it is stored.
    lblTargetURL->setText(word);
    ComposePage();
    NewHtmlOutput->setFocus();
    if (!txtSearch->text().isEmpty())
        NewHtmlOutput->FindForward(txtSearch->text());
    return true;
}

void TfrmMain::ReloadSource(std::int32_t id)
{
    memoRichEdit->setPlainText(ToCrLf(ReadPageContent(*Database, id)));
}

QString TfrmMain::GetWikiId(const QString& word, bool exact)
{
    return QString::number(ReadWikiId(*Database, word, exact));
}

void TfrmMain::GetWikiWord(std::int32_t id)
{
    lblTargetURL->setText(ReadPageTitle(*Database, id));
}

QString TfrmMain::EditorText() const
{
    return ToCrLf(memoRichEdit->toPlainText());
}

void TfrmMain::ComposePage()
{
    const QString title = lblTargetURL->text();
    const QString wikiId = txtWikiId->text();
    QByteArray body;
    if (ConvertMarkup(PageMarkup(title, wikiId, EditorText()).toUtf8(), HtmlOutputFormat(), body)
        != MarkupOk)
        return;
    NewHtmlOutput->LoadFromBuffer(BuildPageDocument(HeadingLine(title), wikiId, body));
}

std::int32_t TfrmMain::ConvertMarkup(const QByteArray& text, const OutputFormat* format,
                                     QByteArray& result)
{
    return quorvel::ConvertMarkup(text, format, result, std::uint32_t(MarkupFlags), MarkupFontSize,
                                  MarkupContext.data());
}

// --- links ------------------------------------------------------------------

void TfrmMain::NewHtmlOutputHotSpotClick(const QString& clickedTarget, bool* handled)
{
    (void)handled;  // the viewer's own handling (in-page anchors) runs after
    // Long lines are wrapped at spaces, also inside an href: undo that first.
    const QString target = UnwrapLinkTarget(clickedTarget);
    if (target.isEmpty())
        return;
    if (!LinkIsWikiWord(target)) {
        const OpenTargetResult opened = CurrentPrompter().openTarget(target);
        if (!opened.succeeded())
            ShowMessage(OpenFailureMessage(opened.code));
        return;
    }
    if (RetrieveByWord(target)) {
        BrowseHistory.Record(txtWikiId->text());
        return;
    }
    // A yes starts adding the page once pages can be added; a no changes
    // nothing.
    ShowMessage(MissingPageQuestion(target));
}

void TfrmMain::NewHtmlOutputHotSpotCovered(const QString& target)
{
    StatusBar1->setPanelText(kLinkPanel, UnwrapLinkTarget(target));
}

void TfrmMain::NewHtmlOutputKeyUp(int key, Qt::KeyboardModifiers shift)
{
    (void)shift;
    if (key == Qt::Key_Backspace)
        btnGoBackClick();
}

// --- navigation ---------------------------------------------------------------

void TfrmMain::ShowBrowsedEntry(const QString& value)
{
    if (value.isEmpty())
        return;
    RetrieveById(value.toInt());
    NewHtmlOutput->setFocus();
}

void TfrmMain::btnGoBackClick()
{
    ShowBrowsedEntry(BrowseHistory.StepBack());
}

void TfrmMain::btnGoFwdClick()
{
    ShowBrowsedEntry(BrowseHistory.StepForward());
}

QString TfrmMain::FindParent(const QString& title)
{
    return FindParentId(*Database, title);
}

void TfrmMain::btnGoUpClick()
{
    const QString parent = FindParent(lblTargetURL->text());
    if (parent != QStringLiteral("0"))
        RetrieveById(parent.toInt());
    NewHtmlOutput->setFocus();
}

void TfrmMain::btnHomeClick()
{
    // While editing the button is "Revert to original", an editing action.
    if (IsEditing)
        return;
    RetrieveById(kHomePageId);
    NewHtmlOutput->setFocus();
}

void TfrmMain::mnuPrintClick()
{
    PrintRequest request;
    request.title = lblTargetURL->text();
    request.range = &PrintDialog;
    request.marginMillimetres = THtmlViewer::kPrintMarginMillimetres;
    std::unique_ptr<QTextDocument> document;
    if (!memoRichEdit->isHidden()) {
        document = std::make_unique<QTextDocument>();
        document->setDefaultFont(memoRichEdit->font());
        document->setPlainText(memoRichEdit->toPlainText());
    } else {
        document = NewHtmlOutput->PrintableDocument();
    }
    request.document = document.get();
    CurrentPrompter().print(request);
}

}  // namespace quorvel
