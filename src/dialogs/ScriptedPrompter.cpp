#include "dialogs/ScriptedPrompter.h"

#include "dialogs/InputDialog.h"

#include <QTextDocument>

namespace quorvel {

namespace {

template <class T>
T TakeFront(std::deque<T>& queue, T fallback)
{
    if (queue.empty())
        return fallback;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

}  // namespace

MessageButton ScriptedPrompter::showMessage(const MessageBoxRequest& box)
{
    messages.push_back(box);
    return TakeFront(messageAnswers, box.effectiveDefault());
}

bool ScriptedPrompter::inputBox(const QString& caption, const QString& prompt, QString& value,
                                int maxLength)
{
    inputs.push_back({caption, prompt, value, maxLength});
    if (inputAnswers.empty())
        return false;
    const bool accepted = inputAnswers.front().has_value();
    if (accepted)  // the edit box refuses what goes beyond its limit
        value = inputAnswers.front()->left(EffectiveInputMaxLength(maxLength));
    inputAnswers.pop_front();
    return accepted;
}

std::optional<QString> ScriptedPrompter::chooseFolder(const QString& caption,
                                                      const QString& startFolder)
{
    folders.push_back({caption, startFolder});
    if (folderAnswers.empty())
        return std::nullopt;
    const bool chosen = folderAnswers.front().has_value();
    const QString folder = chosen ? *folderAnswers.front() : QString();
    folderAnswers.pop_front();
    if (!chosen)
        return std::nullopt;
    return folder;
}

bool ScriptedPrompter::print(const PrintRequest& request)
{
    PrintCall call{request.title, request.document ? request.document->toPlainText() : QString(),
                   std::nullopt};
    if (request.range)
        call.range = *request.range;
    prints.push_back(std::move(call));
    return TakeFront(printAnswers, false);
}

OpenTargetResult ScriptedPrompter::openTarget(const QString& target)
{
    openedTargets.push_back(target);
    return {TakeFront(openAnswers, kOpenSucceeded)};
}

}  // namespace quorvel
