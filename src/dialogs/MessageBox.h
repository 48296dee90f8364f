// The modal message box with an optional countdown.
#pragma once

#include "dialogs/Prompter.h"

class QWidget;

namespace quorvel {

// Shows `box` modally, centred on the active window (or the screen), and
// returns the button that closed it. With a countdown the box shows the
// seconds left and at zero answers as if the default button were pressed.
MessageButton RunMessageBox(const MessageBoxRequest& box);

}  // namespace quorvel
