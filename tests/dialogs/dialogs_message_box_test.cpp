#include "DialogTestSupport.h"
#include "dialogs/MessageBox.h"
#include "dialogs/Prompter.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

using test::WhenModalShown;

TEST(MessageBoxRequest, DefaultAndCancelButtonsFollowTheButtons)
{
    struct Case {
        MessageButtons buttons;
        std::optional<MessageButton> defaultButton, cancelButton;
        MessageButton expectDefault, expectCancel;
    };
    const Case cases[] = {
        {MessageButtons::Ok, {}, {}, MessageButton::Ok, MessageButton::Ok},
        {MessageButtons::YesNo, {}, {}, MessageButton::Yes, MessageButton::No},
        {MessageButtons::YesNo, MessageButton::No, MessageButton::No, MessageButton::No,
         MessageButton::No},
        {MessageButtons::YesNo, MessageButton::No, {}, MessageButton::No, MessageButton::No},
    };
    for (const Case& c : cases) {
        MessageBoxRequest box;
        box.buttons = c.buttons;
        box.defaultButton = c.defaultButton;
        box.cancelButton = c.cancelButton;
        EXPECT_EQ(box.effectiveDefault(), c.expectDefault);
        EXPECT_EQ(box.effectiveCancel(), c.expectCancel);
    }
}

MessageBoxRequest Confirmation()
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

TEST(MessageBox, ShowsCaptionTextIconAndButtons)
{
    bool inspected = false;
    WhenModalShown([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Exiting Quorvel"));
        EXPECT_EQ(box->text(), QStringLiteral("Are you sure you want to exit?"));
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::No));
        inspected = true;
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(RunMessageBox(Confirmation()), MessageButton::Yes);
    EXPECT_TRUE(inspected);
}

TEST(MessageBox, EnterAnswersTheDefaultAndEscapeTheCancelButton)
{
    WhenModalShown([](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); });
    EXPECT_EQ(RunMessageBox(Confirmation()), MessageButton::No);

    MessageBoxRequest yesDefault = Confirmation();
    yesDefault.defaultButton.reset();  // Yes by default, No still cancels
    yesDefault.cancelButton.reset();
    WhenModalShown([](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); });
    EXPECT_EQ(RunMessageBox(yesDefault), MessageButton::Yes);
    WhenModalShown([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(RunMessageBox(yesDefault), MessageButton::No);
}

TEST(MessageBox, ClosingTheBoxAnswersTheCancelButton)
{
    MessageBoxRequest box = Confirmation();
    box.defaultButton = MessageButton::Yes;
    WhenModalShown([](QWidget* w) { w->close(); });
    EXPECT_EQ(RunMessageBox(box), MessageButton::No);
}

TEST(MessageBox, IconFollowsTheKind)
{
    struct Case {
        MessageKind kind;
        QMessageBox::Icon icon;
    };
    for (const Case& c : {Case{MessageKind::Warning, QMessageBox::Warning},
                          Case{MessageKind::Error, QMessageBox::Critical},
                          Case{MessageKind::Information, QMessageBox::Information},
                          Case{MessageKind::Confirmation, QMessageBox::Question}}) {
        MessageBoxRequest box;
        box.kind = c.kind;
        QMessageBox::Icon shown = QMessageBox::NoIcon;
        WhenModalShown([&](QWidget* w) {
            shown = static_cast<QMessageBox*>(w)->icon();
            w->close();
        });
        EXPECT_EQ(RunMessageBox(box), MessageButton::Ok);
        EXPECT_EQ(shown, c.icon);
    }
}

TEST(MessageBox, CountdownShowsSecondsLeftAndAnswersTheDefault)
{
    MessageBoxRequest box = Confirmation();
    box.countdownSeconds = 2;
    QString shownAtStart;
    WhenModalShown([&](QWidget* w) {
        shownAtStart = static_cast<QMessageBox*>(w)->button(QMessageBox::No)->text();
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(RunMessageBox(box), MessageButton::No);
    EXPECT_GE(clock.elapsed(), 1900);  // it waited for its countdown
    EXPECT_TRUE(shownAtStart.endsWith(QStringLiteral("(2)"))) << shownAtStart.toStdString();

    MessageBoxRequest warning;
    warning.caption = QStringLiteral("Unable to close program");
    warning.kind = MessageKind::Warning;
    warning.countdownSeconds = 1;
    EXPECT_EQ(RunMessageBox(warning), MessageButton::Ok);
}

TEST(MessageBox, IsCentredOnTheActiveWindow)
{
    QWidget owner;
    owner.setGeometry(100, 100, 600, 400);
    owner.show();
    QApplication::setActiveWindow(&owner);
    ASSERT_EQ(QApplication::activeWindow(), &owner);
    QWidget* parent = nullptr;
    WhenModalShown([&](QWidget* w) {
        parent = w->parentWidget();
        w->close();
    });
    RunMessageBox(MessageBoxRequest{});
    EXPECT_EQ(parent, &owner);
}

}  // namespace
}  // namespace quorvel
