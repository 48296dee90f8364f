// The Prompter the program uses: real Qt dialogs.
#pragma once

#include "dialogs/Prompter.h"

namespace quorvel {

class QtPrompter : public Prompter {
public:
    MessageButton showMessage(const MessageBoxRequest& box) override;
    bool inputBox(const QString& caption, const QString& prompt, QString& value,
                  int maxLength) override;
    std::optional<QString> chooseFolder(const QString& caption,
                                        const QString& startFolder) override;
    bool print(const PrintRequest& request) override;
    OpenTargetResult openTarget(const QString& target) override;
};

}  // namespace quorvel
