#include "app/ErrorHandler.h"

#include "dialogs/Prompter.h"

namespace quorvel {

void ShowApplicationError(const QString& message)
{
    MessageBoxRequest box;
    box.caption = QString::fromLatin1(kErrorBoxCaption);
    box.text = message;
    box.kind = MessageKind::Error;
    box.buttons = MessageButtons::Ok;
    ShowMessage(box);
}

QuorvelApplication::QuorvelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool QuorvelApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    RunGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace quorvel
