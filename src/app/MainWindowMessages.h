// The message boxes of the main window's start and stop.
#pragma once

#include "dialogs/Prompter.h"

namespace quorvel {

// Closing while a page is being edited.
MessageBoxRequest CloseWhileEditingMessage();
// Confirming the exit.
MessageBoxRequest ExitConfirmationMessage();

}  // namespace quorvel
