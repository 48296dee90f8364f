#include "app/NewHtmlOutput.h"

#include "dialogs/DocumentPrinting.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QKeyEvent>
#include <QMarginsF>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextList>
#include <QTimer>
#include <QUrl>

namespace quorvel {

namespace {

// Placeholder pictures of form controls are named "quorvel-control:<n>".
const QString kControlScheme = QStringLiteral("quorvel-control");

const QColor kHoverColour(0, 128, 128);  // teal

// Form controls that become push buttons.
bool IsButtonType(const QString& type)
{
    return type == u"button" || type == u"submit" || type == u"reset";
}

// Attribute values may carry the common entities; the button caption and
// click value are shown and reported decoded.
QString DecodeEntities(QString text)
{
    static const QRegularExpression numeric(QStringLiteral("&#(x?)([0-9A-Fa-f]+);"));
    QRegularExpressionMatch m;
    qsizetype from = 0;
    while ((m = numeric.match(text, from)).hasMatch()) {
        bool ok = false;
        const uint code = m.captured(2).toUInt(&ok, m.captured(1).isEmpty() ? 10 : 16);
        const QString ch = ok ? QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1)
                              : QString();
        text.replace(m.capturedStart(), m.capturedLength(), ch);
        from = m.capturedStart() + ch.size();
    }
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    text.replace(QStringLiteral("&nbsp;"), QString(QChar(0xA0)));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}

// A line end right after a <pre> tag belongs to the markup, not to the
// text; the HTML parser keeps it, so it is removed first.
QString DropLineEndAfterPre(const QString& html)
{
    static const QRegularExpression preStart(QStringLiteral(R"((<pre\b[^>]*>)(\r\n|\r|\n))"),
                                             QRegularExpression::CaseInsensitiveOption);
    QString result = html;
    result.replace(preStart, QStringLiteral("\\1"));
    return result;
}

// The layout puts a list's bottom margin on its last item of its own, even
// when lists nested in that item follow it; the gap then opens between the
// item and its nested list. Moves such a margin below the nested lists.
void MoveListEndMarginsBelowNestedLists(QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextList* list = block.textList();
        if (!list || block.blockFormat().bottomMargin() <= 0)
            continue;
        const int indent = list->format().indent();
        QTextBlock last = block;
        for (QTextBlock next = block.next();
             next.isValid() && next.textList() && next.textList()->format().indent() > indent;
             next = next.next())
            last = next;
        if (last == block)
            continue;
        const qreal margin = block.blockFormat().bottomMargin();
        QTextBlockFormat noMargin;
        noMargin.setBottomMargin(0);
        QTextCursor(block).mergeBlockFormat(noMargin);
        if (last.blockFormat().bottomMargin() < margin) {
            QTextBlockFormat withMargin;
            withMargin.setBottomMargin(margin);
            QTextCursor(last).mergeBlockFormat(withMargin);
        }
    }
}

QHash<QString, QString> ParseAttributes(const QString& tagBody)
{
    static const QRegularExpression attribute(QStringLiteral(
        R"re(([A-Za-z_:][-A-Za-z0-9_:.]*)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>]+)))re"));
    QHash<QString, QString> attributes;
    for (auto it = attribute.globalMatch(tagBody); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString value = m.captured(2);
        if (m.capturedStart(3) >= 0)
            value = m.captured(3);
        else if (m.capturedStart(4) >= 0)
            value = m.captured(4);
        attributes.insert(m.captured(1).toLower(), DecodeEntities(value));
    }
    return attributes;
}

}  // namespace

struct THtmlViewer::FormControl {
    QPushButton* button = nullptr;
    QString onClick;
    QImage picture;      // the button as drawn, shown when printing
    int position = -1;   // of the placeholder in the document
};

THtmlViewer::THtmlViewer(QWidget* parent) : QTextBrowser(parent)
{
    // Every link goes to the window's handler; the viewer navigates nowhere
    // by itself.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);
    const QFont font(QStringLiteral("Arial"), 10);
    setFont(font);
    document()->setDefaultFont(font);
    document()->setDefaultStyleSheet(
        QStringLiteral("pre, tt, code, kbd, samp {font-family: \"Courier New\";}"));
    setTextInteractionFlags(Qt::TextBrowserInteraction);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    connect(this, &QTextBrowser::anchorClicked, this, &THtmlViewer::ActivateAnchor);
}

THtmlViewer::~THtmlViewer() = default;

void THtmlViewer::SetServerRoot(const QString& folder)
{
    serverRoot_ = folder;
    setSearchPaths({folder});
}

void THtmlViewer::LoadFromBuffer(const QByteArray& utf8)
{
    if (!hovered_.isEmpty()) {
        hovered_.clear();
        emit HotSpotCovered(QString());
    }
    setExtraSelections({});
    ClearFormControls();
    setHtml(ReplaceFormControls(DropLineEndAfterPre(QString::fromUtf8(utf8))));
    MoveListEndMarginsBelowNestedLists(*document());
    LocateFormControls();
    PlaceFormControls();
}

QString THtmlViewer::ReplaceFormControls(const QString& html)
{
    static const QRegularExpression input(QStringLiteral(R"(<input\b([^>]*)>)"),
                                          QRegularExpression::CaseInsensitiveOption);
    QString result;
    qsizetype copied = 0;
    for (auto it = input.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QHash<QString, QString> attributes = ParseAttributes(m.captured(1));
        if (!IsButtonType(attributes.value(QStringLiteral("type")).toLower()))
            continue;
        auto control = std::make_unique<FormControl>();
        control->onClick = attributes.value(QStringLiteral("onclick"));
        control->button = new QPushButton(attributes.value(QStringLiteral("value")), viewport());
        control->button->setCursor(Qt::ArrowCursor);
        control->button->adjustSize();
        control->button->hide();
        control->picture = control->button->grab().toImage();
        QPushButton* button = control->button;
        const QString onClick = control->onClick;
        connect(button, &QPushButton::clicked, this,
                [this, button, onClick] { emit ObjectClick(button, onClick); });

        const QSize size = button->size();
        result += QStringView(html).mid(copied, m.capturedStart() - copied);
        result += QStringLiteral("<img src=\"%1:%2\" width=\"%3\" height=\"%4\">")
                      .arg(kControlScheme)
                      .arg(controls_.size())
                      .arg(size.width())
                      .arg(size.height());
        copied = m.capturedEnd();
        controls_.push_back(std::move(control));
    }
    result += QStringView(html).mid(copied);
    return result;
}

void THtmlViewer::ClearFormControls()
{
    // Later, not now: the click of a button may be what loads the next
    // document, and the button is still in its click handler then.
    for (auto& control : controls_) {
        control->button->hide();
        control->button->deleteLater();
    }
    controls_.clear();
}

void THtmlViewer::LocateFormControls()
{
    const QString prefix = kControlScheme + u':';
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            if (!name.startsWith(prefix))
                continue;
            bool ok = false;
            const int index = name.mid(prefix.size()).toInt(&ok);
            if (ok && index >= 0 && index < int(controls_.size()))
                controls_[index]->position = fragment.position();
        }
    }
}

void THtmlViewer::PlaceFormControls()
{
    for (auto& control : controls_) {
        if (control->position < 0) {
            control->button->hide();
            continue;
        }
        QTextCursor cursor(document());
        cursor.setPosition(control->position);
        // The placeholder is the tallest thing on its line, so its top is
        // the line's top.
        const QRect line = cursorRect(cursor);
        control->button->move(line.left(), line.top());
        control->button->show();
    }
}

std::vector<QPushButton*> THtmlViewer::FormControls() const
{
    std::vector<QPushButton*> buttons;
    for (const auto& control : controls_)
        buttons.push_back(control->button);
    return buttons;
}

QVariant THtmlViewer::loadResource(int type, const QUrl& name)
{
    if (name.scheme() == kControlScheme) {
        bool ok = false;
        const int index = name.path().toInt(&ok);
        if (ok && index >= 0 && index < int(controls_.size()))
            return controls_[index]->picture;
        return {};
    }
    if (name.isRelative() && !name.path().isEmpty() && !serverRoot_.isEmpty()) {
        QFile file(QDir(serverRoot_).filePath(name.path()));
        if (file.open(QIODevice::ReadOnly))
            return file.readAll();
    }
    return QTextBrowser::loadResource(type, name);
}

void THtmlViewer::ActivateAnchor(const QUrl& url)
{
    // QUrl re-encodes the target; the raw href comes from the text itself:
    // the anchor under the released mouse button, or the anchor the
    // keyboard selected.
    QString target = inMouseRelease_ ? releasedAnchor_ : textCursor().charFormat().anchorHref();
    if (target.isEmpty())
        target = url.toString(QUrl::FullyDecoded);
    bool handled = false;
    emit HotSpotClick(target, &handled);
    if (!handled && target.startsWith(u'#'))
        scrollToAnchor(target.mid(1));
}

void THtmlViewer::mouseReleaseEvent(QMouseEvent* event)
{
    releasedAnchor_ = anchorAt(event->position().toPoint());
    inMouseRelease_ = true;
    QTextBrowser::mouseReleaseEvent(event);
    inMouseRelease_ = false;
}

void THtmlViewer::mouseMoveEvent(QMouseEvent* event)
{
    QTextBrowser::mouseMoveEvent(event);
    const QPoint pos = event->position().toPoint();
    SetHovered(anchorAt(pos), pos);
}

void THtmlViewer::leaveEvent(QEvent* event)
{
    SetHovered(QString(), QPoint());
    QTextBrowser::leaveEvent(event);
}

void THtmlViewer::SetHovered(const QString& target, const QPoint& viewportPos)
{
    if (target == hovered_)
        return;
    hovered_ = target;
    HighlightAnchorAt(target, viewportPos);
    emit HotSpotCovered(target);
}

void THtmlViewer::HighlightAnchorAt(const QString& target, const QPoint& viewportPos)
{
    if (target.isEmpty()) {
        setExtraSelections({});
        return;
    }
    // The run of fragments of this link around the pointer turns teal.
    const int hit = cursorForPosition(viewportPos).position();
    const QTextBlock block = document()->findBlock(hit);
    int runStart = -1;
    int runEnd = -1;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        const bool inLink = format.isAnchor() && format.anchorHref() == target;
        if (!inLink) {
            if (runStart >= 0 && hit >= runStart && hit <= runEnd)
                break;
            runStart = -1;
            continue;
        }
        if (runStart < 0)
            runStart = fragment.position();
        runEnd = fragment.position() + fragment.length();
    }
    if (runStart < 0) {
        setExtraSelections({});
        return;
    }
    QTextEdit::ExtraSelection selection;
    selection.cursor = QTextCursor(document());
    selection.cursor.setPosition(runStart);
    selection.cursor.setPosition(runEnd, QTextCursor::KeepAnchor);
    selection.format.setForeground(kHoverColour);
    setExtraSelections({selection});
}

void THtmlViewer::keyReleaseEvent(QKeyEvent* event)
{
    // A held key repeats presses, but it is released once.
    if (!event->isAutoRepeat())
        emit KeyUp(event->key(), event->modifiers());
    QTextBrowser::keyReleaseEvent(event);
}

void THtmlViewer::resizeEvent(QResizeEvent* event)
{
    QTextBrowser::resizeEvent(event);
    PlaceFormControls();
}

void THtmlViewer::scrollContentsBy(int dx, int dy)
{
    QTextBrowser::scrollContentsBy(dx, dy);
    PlaceFormControls();
}

void THtmlViewer::showEvent(QShowEvent* event)
{
    QTextBrowser::showEvent(event);
    PlaceFormControls();
}

bool THtmlViewer::FindForward(const QString& text, bool matchCase)
{
    if (text.isEmpty())
        return false;
    QTextDocument::FindFlags flags;
    if (matchCase)
        flags |= QTextDocument::FindCaseSensitively;
    const QTextCursor found = document()->find(text, textCursor(), flags);
    if (found.isNull())
        return false;
    setTextCursor(found);
    ensureCursorVisible();
    return true;
}

QString THtmlViewer::SelectedText() const
{
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::Nbsp, u' ');
    return text;
}

std::unique_ptr<QTextDocument> THtmlViewer::PrintableDocument() const
{
    std::unique_ptr<QTextDocument> copy(document()->clone());
    // The copy has no viewer to load pictures through.
    CopyPictures(*document(), *copy);
    // Monochrome: every character in black.
    QTextCursor all(copy.get());
    all.select(QTextCursor::Document);
    QTextCharFormat black;
    black.setForeground(Qt::black);
    all.mergeCharFormat(black);
    return copy;
}

void THtmlViewer::PrintDocument(const QTextDocument& document, QPrinter& printer, int fromPage,
                                int toPage)
{
    const qreal m = kPrintMarginMillimetres;
    printer.setPageMargins(QMarginsF(m, m, m, m), QPageLayout::Millimeter);
    printer.setColorMode(QPrinter::GrayScale);
    printer.setFromTo(fromPage, toPage);
    PrintPaginated(document, printer);
}

void THtmlViewer::Print(QPrinter& printer, int fromPage, int toPage) const
{
    PrintDocument(*PrintableDocument(), printer, fromPage, toPage);
}

}  // namespace quorvel
