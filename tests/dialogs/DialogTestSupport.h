// Driving modal dialogs from a test: a callback runs once the dialog is up.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace quorvel::test {

// Calls `act` with the active modal widget as soon as one is shown (polling
// the event loop), so a test can inspect and close a dialog it opened with a
// blocking call. A dialog still open `timeoutMs` after `act` (a failed
// assertion left it) is closed, so a failing test never hangs.
inline void WhenModalShown(std::function<void(QWidget*)> act, int timeoutMs = 5000)
{
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, act, timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        *waited += 10;
        if (modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
            QTimer::singleShot(timeoutMs, [guard = QPointer<QWidget>(modal)] {
                if (guard && guard->isVisible())
                    guard->close();
            });
        } else if (*waited > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

}  // namespace quorvel::test
