// Every modal interaction of the program goes through one Prompter: message
// boxes, the one-line input box, the folder chooser, printing and handing a
// link target to the desktop. The program installs the Qt implementation at
// start; tests install a ScriptedPrompter that answers from a queue and
// records every request, so they can assert exact captions, texts and buttons.
#pragma once

#include <QString>
#include <optional>

class QTextDocument;

namespace quorvel {

enum class MessageKind { Warning, Error, Information, Confirmation };

// The buttons a box offers.
enum class MessageButtons { Ok, YesNo };

// A button, also the answer of a box.
enum class MessageButton { None, Ok, Yes, No };

// Description of one modal message box.
struct MessageBoxRequest {
    QString caption;
    QString text;
    MessageKind kind = MessageKind::Information;
    MessageButtons buttons = MessageButtons::Ok;
    // Unset: OK if the box has it, else Yes.
    std::optional<MessageButton> defaultButton;
    // Unset: OK for an OK box, No for a Yes/No box.
    std::optional<MessageButton> cancelButton;
    // 0: no time-out. Otherwise the box shows the seconds left and closes as
    // if its default button were pressed when they run out.
    int countdownSeconds = 0;

    MessageButton effectiveDefault() const;
    MessageButton effectiveCancel() const;
};

// Page range state of the print dialog; kept by the caller between uses so
// the dialog shows the range chosen last time.
struct PrintRange {
    int minPage = 1;
    int maxPage = 9999;
    int fromPage = 1;
    int toPage = 1;
    bool rangeChosen = false;  // set by the dialog: the user picked a range
};

// What to print. The real implementation shows a print dialog with a page
// range, then prints `document` (the chosen pages, else all of them) with
// the given margins, monochrome.
struct PrintRequest {
    QString title;                       // print job title
    const QTextDocument* document = nullptr;
    PrintRange* range = nullptr;         // in-out; may be null
    double marginMillimetres = 20.0;
};

// Result of handing a target to the desktop's default handler. Codes follow
// the classic shell convention: above 32 is success; 2 file not found,
// 3 path not found, 5 access denied, 31 no application associated; others
// are passed through as they come.
struct OpenTargetResult {
    int code = 0;
    bool succeeded() const { return code > 32; }
};
constexpr int kOpenSucceeded = 42;
constexpr int kOpenFileNotFound = 2;
constexpr int kOpenPathNotFound = 3;
constexpr int kOpenAccessDenied = 5;
constexpr int kOpenNoAssociation = 31;

class Prompter {
public:
    virtual ~Prompter() = default;

    // Shows a modal box and returns the button that closed it (the cancel
    // button when the box was closed by Escape or its close box, the default
    // button when the countdown ran out).
    virtual MessageButton showMessage(const MessageBoxRequest& box) = 0;

    // One-line prompt: true with `value` set to the text exactly as typed
    // when accepted; false with `value` unchanged otherwise. maxLength is
    // clamped to 255.
    virtual bool inputBox(const QString& caption, const QString& prompt,
                          QString& value, int maxLength) = 0;

    // Lets the user pick (or type and confirm, then create) a folder,
    // starting at `startFolder`. Returns it without a trailing separator,
    // or nothing when the user cancelled.
    virtual std::optional<QString> chooseFolder(const QString& caption,
                                                const QString& startFolder) = 0;

    // Shows the print dialog and prints. False when the user cancelled.
    virtual bool print(const PrintRequest& request) = 0;

    // Opens a link target (file or web address) with the desktop's default
    // handler. A relative file name is resolved against the current folder.
    virtual OpenTargetResult openTarget(const QString& target) = 0;
};

// The prompter the program uses. Without an installed one, the Qt
// implementation.
Prompter& CurrentPrompter();

// Installs `prompter` (not owned; nullptr restores the Qt implementation)
// and returns the one installed before.
Prompter* InstallPrompter(Prompter* prompter);

// Installs a prompter for the lifetime of the guard.
class ScopedPrompter {
public:
    explicit ScopedPrompter(Prompter& prompter) : previous_(InstallPrompter(&prompter)) {}
    ~ScopedPrompter() { InstallPrompter(previous_); }
    ScopedPrompter(const ScopedPrompter&) = delete;
    ScopedPrompter& operator=(const ScopedPrompter&) = delete;

private:
    Prompter* previous_;
};

// Shorthands through the current prompter.
MessageButton ShowMessage(const MessageBoxRequest& box);
bool InputBox(const QString& caption, const QString& prompt, QString& value, int maxLength);

}  // namespace quorvel
