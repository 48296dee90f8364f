// The application's top-level error handler. An error that a user action
// does not catch ends that action and is shown in an error box with its
// message; the program keeps running.
#pragma once

#include <QApplication>
#include <exception>
#include <utility>

namespace quorvel {

// Caption of the top-level error box.
inline const char* const kErrorBoxCaption = "Quorvel";

// Shows `message` in a modal error box (OK, no time-out) through the prompter.
void ShowApplicationError(const QString& message);

// Runs one user action; any exception it raises is shown as above.
// Returns true when the action ran to its end.
template <class Action>
bool RunGuarded(Action&& action)
{
    try {
        std::forward<Action>(action)();
        return true;
    } catch (const std::exception& e) {
        ShowApplicationError(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowApplicationError(QStringLiteral("Unknown error"));
    }
    return false;
}

// Connects `signal` of `sender` to the handler method of `receiver`, run
// inside RunGuarded: the way every control is wired to its handler.
template <class Sender, class Signal, class Receiver>
QMetaObject::Connection ConnectGuarded(Sender* sender, Signal signal, Receiver* receiver,
                                       void (Receiver::*handler)())
{
    return QObject::connect(sender, signal, receiver,
                            [receiver, handler] { RunGuarded([&] { (receiver->*handler)(); }); });
}

// The application object. Every event is delivered inside RunGuarded, so an
// error escaping any handler reaches the top-level handler.
class QuorvelApplication : public QApplication {
public:
    QuorvelApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace quorvel
