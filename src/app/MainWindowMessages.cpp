#include "app/MainWindowMessages.h"

namespace quorvel {

MessageBoxRequest CloseWhileEditingMessage()
{
    MessageBoxRequest box;
    box.caption = QStringLiteral("Unable to close program");
    box.text = QStringLiteral("Please save or cancel edits before closing the program.");
    box.kind = MessageKind::Warning;
    box.buttons = MessageButtons::Ok;
    box.countdownSeconds = 10;
    return box;
}

MessageBoxRequest ExitConfirmationMessage()
{
    MessageBoxRequest box;
    box.caption = QStringLiteral("Exiting Quorvel");
    box.text = QStringLiteral("Are you sure you want to exit?");
    box.kind = MessageKind::Confirmation;
    box.buttons = MessageButtons::YesNo;
    box.defaultButton = MessageButton::No;
    box.cancelButton = MessageButton::No;
    return box;
}

}  // namespace quorvel
