#include "dialogs/Prompter.h"

#include "dialogs/QtPrompter.h"

namespace quorvel {

MessageButton MessageBoxRequest::effectiveDefault() const
{
    if (defaultButton)
        return *defaultButton;
    return buttons == MessageButtons::Ok ? MessageButton::Ok : MessageButton::Yes;
}

MessageButton MessageBoxRequest::effectiveCancel() const
{
    if (cancelButton)
        return *cancelButton;
    return buttons == MessageButtons::Ok ? MessageButton::Ok : MessageButton::No;
}

namespace {

Prompter* installedPrompter = nullptr;

Prompter& QtPrompterInstance()
{
    static QtPrompter instance;
    return instance;
}

}  // namespace

Prompter& CurrentPrompter()
{
    return installedPrompter ? *installedPrompter : QtPrompterInstance();
}

Prompter* InstallPrompter(Prompter* prompter)
{
    Prompter* previous = installedPrompter;
    installedPrompter = prompter;
    return previous;
}

MessageButton ShowMessage(const MessageBoxRequest& box)
{
    return CurrentPrompter().showMessage(box);
}

bool InputBox(const QString& caption, const QString& prompt, QString& value, int maxLength)
{
    return CurrentPrompter().inputBox(caption, prompt, value, maxLength);
}

}  // namespace quorvel
