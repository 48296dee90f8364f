// Hands a file or web address to the desktop's default handler, xdg-open,
// and reports the outcome as a shell-style result code (above 32: success;
// see OpenTargetResult).
#pragma once

#include <QString>

namespace quorvel {

// The result code for an exit status of xdg-open: 0 succeeded, 2 file not
// found, 3 (no tool or application for the target) no application
// associated; any other status is passed through, so the user sees it as
// an unspecified code.
int OpenerExitResult(int exitStatus);

// Runs xdg-open with `target` (a URL or an absolute file name). Waits up to
// `waitMilliseconds` for it to finish, so its exit status is known; failures
// are immediate. A handler still running then was started in the
// foreground of xdg-open and counts as success; it is left running and the
// program does not wait for it. An opener that cannot be started means no
// application is associated.
int RunDesktopOpener(const QString& target, int waitMilliseconds = 1500);

}  // namespace quorvel
