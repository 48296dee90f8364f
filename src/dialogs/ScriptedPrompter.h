// A Prompter for tests: every request is recorded, every answer comes from
// a queue filled beforehand. A request with no queued answer gets the box's
// default button (message boxes), a cancel (input box, folder chooser,
// printing) or success (opening a target), and is still recorded.
#pragma once

#include "dialogs/Prompter.h"

#include <QString>
#include <deque>
#include <optional>
#include <vector>

namespace quorvel {

class ScriptedPrompter : public Prompter {
public:
    struct InputRequest {
        QString caption;
        QString prompt;
        QString value;  // the starting value handed in
        int maxLength = 0;
    };
    struct FolderRequest {
        QString caption;
        QString startFolder;
    };
    struct PrintCall {
        QString title;
        QString documentText;  // plain text of the document at the time of the call
        std::optional<PrintRange> range;
    };

    // Answers, consumed in order per kind of request.
    std::deque<MessageButton> messageAnswers;
    std::deque<std::optional<QString>> inputAnswers;   // nullopt: cancelled
    std::deque<std::optional<QString>> folderAnswers;  // nullopt: cancelled
    std::deque<bool> printAnswers;
    std::deque<int> openAnswers;                       // codes as OpenTargetResult

    // Everything asked, in order per kind.
    std::vector<MessageBoxRequest> messages;
    std::vector<InputRequest> inputs;
    std::vector<FolderRequest> folders;
    std::vector<PrintCall> prints;
    std::vector<QString> openedTargets;

    MessageButton showMessage(const MessageBoxRequest& box) override;
    bool inputBox(const QString& caption, const QString& prompt, QString& value,
                  int maxLength) override;
    std::optional<QString> chooseFolder(const QString& caption,
                                        const QString& startFolder) override;
    bool print(const PrintRequest& request) override;
    OpenTargetResult openTarget(const QString& target) override;
};

}  // namespace quorvel
