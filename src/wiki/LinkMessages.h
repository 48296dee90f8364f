// The message boxes of following a link: the question for a page that does
// not exist, and the error for a target the desktop could not open.
#pragma once

#include "dialogs/Prompter.h"

#include <QString>

namespace quorvel {

// Caption "New WikiWord"; Yes and No, No the default and the cancel button.
MessageBoxRequest MissingPageQuestion(const QString& target);

// The reason for a failed open, by the shell-style result code: the classic
// table ("file not found", "access denied", ...), else "unspecified, code: "
// and the code.
QString OpenFailureReason(int code);

// Caption "Unable to open file", the reason and the advice to check the
// link; OK, closing by itself after 10 seconds.
MessageBoxRequest OpenFailureMessage(int code);

}  // namespace quorvel
