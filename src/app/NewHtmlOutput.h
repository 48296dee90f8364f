// THtmlViewer: the page viewer, a QTextBrowser that loads a composed HTML
// document from memory and reports what the user does with it as events the
// main window handles: a link clicked (with the target exactly as the href
// attribute holds it), the pointer moving onto or off a link, a click on a
// form control inside the page, and a key released. Relative file names
// (the logo) resolve against a base folder. QTextBrowser draws no form
// controls, so button inputs are shown as real push buttons laid over
// placeholders in the text.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTextBrowser>
#include <memory>
#include <vector>

class QPrinter;
class QPushButton;
class QTextDocument;

namespace quorvel {

class THtmlViewer : public QTextBrowser {
    Q_OBJECT
public:
    explicit THtmlViewer(QWidget* parent = nullptr);
    ~THtmlViewer() override;

    // Replaces the shown document with `utf8`, an HTML document in UTF-8.
    void LoadFromBuffer(const QByteArray& utf8);

    // The folder relative file names in documents resolve against.
    void SetServerRoot(const QString& folder);
    const QString& ServerRoot() const { return serverRoot_; }

    // The viewer's own history limit; kept for the window's settings, the
    // viewer records no history of its own (documents come from memory).
    void SetHistoryLimit(int limit) { historyLimit_ = limit; }
    int HistoryLimit() const { return historyLimit_; }

    // Finds `text` forward from the caret (after the current selection),
    // ignoring case unless `matchCase`, without wrapping around. On a match
    // selects it, scrolls it into view and returns true; otherwise leaves
    // the selection as it was and returns false.
    bool FindForward(const QString& text, bool matchCase = false);

    // The selected text, line breaks as CR LF.
    QString SelectedText() const;

    // A copy of the shown document prepared for printing: all text black,
    // form controls drawn as pictures. Owned by the caller.
    std::unique_ptr<QTextDocument> PrintableDocument() const;

    // Prints pages `fromPage` to `toPage` (clamped to the document) to
    // `printer` with 2.0 cm margins on all sides, scale 1.0, monochrome.
    static void PrintDocument(const QTextDocument& document, QPrinter& printer, int fromPage,
                              int toPage);
    void Print(QPrinter& printer, int fromPage, int toPage) const;

    // Printing settings.
    static constexpr double kPrintMarginMillimetres = 20.0;

    // The push buttons laid over the document, in document order.
    std::vector<QPushButton*> FormControls() const;

    // The link under the pointer, as last reported.
    const QString& HoveredLink() const { return hovered_; }

signals:
    // A link was activated. `target` is the href attribute's text with
    // entities decoded. A handler may set *handled; otherwise the viewer
    // scrolls to an in-page anchor ("#id") afterwards.
    void HotSpotClick(const QString& target, bool* handled);
    // The pointer moved onto a link (its target) or off it (empty).
    void HotSpotCovered(const QString& target);
    // A form control inside the page was clicked; `onClick` is the value of
    // its OnClick attribute.
    void ObjectClick(QObject* control, const QString& onClick);
    // A key was released while the viewer had the focus.
    void KeyUp(int key, Qt::KeyboardModifiers modifiers);

protected:
    QVariant loadResource(int type, const QUrl& name) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void showEvent(QShowEvent* event) override;

private:
    struct FormControl;

    void ActivateAnchor(const QUrl& url);
    QString ReplaceFormControls(const QString& html);
    void ClearFormControls();
    void LocateFormControls();
    void PlaceFormControls();
    void SetHovered(const QString& target, const QPoint& viewportPos);
    void HighlightAnchorAt(const QString& target, const QPoint& viewportPos);

    QString serverRoot_;
    int historyLimit_ = 0;
    QString hovered_;
    QString releasedAnchor_;
    bool inMouseRelease_ = false;
    std::vector<std::unique_ptr<FormControl>> controls_;
};

}  // namespace quorvel
