#include "dialogs/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <memory>

namespace quorvel {

namespace {

QMessageBox::Icon IconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Error: return QMessageBox::Critical;
    case MessageKind::Information: return QMessageBox::Information;
    case MessageKind::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton StandardOf(MessageButton button)
{
    switch (button) {
    case MessageButton::Ok: return QMessageBox::Ok;
    case MessageButton::Yes: return QMessageBox::Yes;
    case MessageButton::No: return QMessageBox::No;
    case MessageButton::None: break;
    }
    return QMessageBox::NoButton;
}

MessageButton AnswerOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok: return MessageButton::Ok;
    case QMessageBox::Yes: return MessageButton::Yes;
    case QMessageBox::No: return MessageButton::No;
    default: return MessageButton::None;
    }
}

// Counts down once a second on the default button ("OK (9)") and presses
// it at zero.
class Countdown : public QObject {
public:
    Countdown(QMessageBox& box, QAbstractButton& button, int seconds)
        : QObject(&box), button_(button), caption_(button.text()), left_(seconds)
    {
        showLeft();
        timer_.setInterval(1000);
        connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
        timer_.start();
    }

private:
    void tick()
    {
        if (--left_ > 0) {
            showLeft();
            return;
        }
        timer_.stop();
        button_.click();
    }
    void showLeft() { button_.setText(QStringLiteral("%1 (%2)").arg(caption_).arg(left_)); }

    QAbstractButton& button_;
    const QString caption_;
    int left_;
    QTimer timer_;
};

}  // namespace

MessageButton RunMessageBox(const MessageBoxRequest& request)
{
    // Parented to the active window so the box is centred on it; without
    // one it is centred on the screen.
    auto box = std::make_unique<QMessageBox>(QApplication::activeWindow());
    box->setWindowTitle(request.caption);
    box->setText(request.text);
    box->setIcon(IconOf(request.kind));
    box->setTextFormat(Qt::PlainText);
    if (request.buttons == MessageButtons::Ok)
        box->setStandardButtons(QMessageBox::Ok);
    else
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);

    auto* defaultButton = qobject_cast<QPushButton*>(box->button(StandardOf(request.effectiveDefault())));
    auto* cancelButton = qobject_cast<QPushButton*>(box->button(StandardOf(request.effectiveCancel())));
    if (defaultButton)
        box->setDefaultButton(defaultButton);
    if (cancelButton)
        box->setEscapeButton(cancelButton);
    if (request.countdownSeconds > 0 && defaultButton)
        new Countdown(*box, *defaultButton, request.countdownSeconds);

    box->exec();
    // Closing the box by its close box counts as the cancel button.
    QAbstractButton* clicked = box->clickedButton();
    if (!clicked)
        return request.effectiveCancel();
    return AnswerOf(box->standardButton(clicked));
}

}  // namespace quorvel
