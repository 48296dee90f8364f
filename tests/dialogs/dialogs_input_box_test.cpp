#include "DialogTestSupport.h"
#include "dialogs/InputDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

using test::WhenModalShown;

struct Controls {
    QWidget* dialog;
    QLabel* label;
    QLineEdit* edit;
    QPushButton* ok;
    QPushButton* cancel;
};

Controls Find(QWidget* dialog)
{
    return {dialog, dialog->findChild<QLabel*>(QStringLiteral("Prompt")),
            dialog->findChild<QLineEdit*>(QStringLiteral("Edit")),
            dialog->findChild<QPushButton*>(QStringLiteral("OkButton")),
            dialog->findChild<QPushButton*>(QStringLiteral("CancelButton"))};
}

// Opens the input box and lets `act` work on it while it is shown.
bool RunWith(QString& value, int maxLength, std::function<void(const Controls&)> act,
             const QString& prompt = QStringLiteral("Enter page name (WikiWord)"))
{
    WhenModalShown([act](QWidget* w) {
        const Controls c = Find(w);
        ASSERT_TRUE(c.label && c.edit && c.ok && c.cancel);
        act(c);
        if (w->isVisible())  // only looked at: cancel it
            QTest::keyClick(c.edit, Qt::Key_Escape);
    });
    return RunInputBox(QStringLiteral("GoTo WikiWord"), prompt, value, maxLength);
}

TEST(DialogUnits, ScaleWithRounding)
{
    DialogUnits du;
    du.charWidth = 6;
    du.charHeight = 13;
    EXPECT_EQ(du.horizontal(180), 270);
    EXPECT_EQ(du.horizontal(1), 2);     // 1.5 rounds up
    EXPECT_EQ(du.vertical(70), 114);    // 113.75
    EXPECT_EQ(du.vertical(25), 41);     // 40.625
    EXPECT_EQ(du.vertical(2), 3);       // 3.25
    du.charWidth = 1000000;             // no overflow in the product
    EXPECT_EQ(du.horizontal(4000), 1000000000);
}

TEST(DialogUnits, MeasuredFromTheAlphabet)
{
    const QFont font = QApplication::font();
    const QFontMetrics metrics(font);
    const DialogUnits du = MeasureDialogUnits(font);
    EXPECT_EQ(du.charWidth,
              metrics.horizontalAdvance(
                  QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                  52);
    EXPECT_EQ(du.charHeight, metrics.height());
    EXPECT_GT(du.charWidth, 0);
}

TEST(InputBox, LayoutFollowsTheDialogUnitsOfItsFont)
{
    QString value = QStringLiteral("Home");
    RunWith(value, 100, [](const Controls& c) {
        const DialogUnits du = MeasureDialogUnits(c.dialog->font());
        EXPECT_EQ(c.dialog->windowTitle(), QStringLiteral("GoTo WikiWord"));
        EXPECT_EQ(c.dialog->size(), QSize(du.horizontal(180), du.vertical(70)));
        EXPECT_EQ(c.dialog->minimumSize(), c.dialog->maximumSize());  // not resizable
        EXPECT_FALSE(c.dialog->windowFlags() & Qt::WindowMinMaxButtonsHint);
        EXPECT_EQ(c.label->geometry(), QRect(du.horizontal(8), du.vertical(2), du.horizontal(164),
                                             du.vertical(25)));
        EXPECT_EQ(c.label->text(), QStringLiteral("Enter page name (WikiWord)"));
        EXPECT_TRUE(c.label->wordWrap());
        EXPECT_EQ(c.edit->x(), du.horizontal(8));
        EXPECT_EQ(c.edit->y(), du.vertical(30));
        EXPECT_EQ(c.edit->width(), du.horizontal(164));
        EXPECT_EQ(c.ok->geometry(), QRect(du.horizontal(30), du.vertical(48), du.horizontal(50),
                                          du.vertical(14)));
        EXPECT_EQ(c.cancel->geometry(), QRect(du.horizontal(106), du.vertical(48),
                                              du.horizontal(50), du.vertical(14)));
        EXPECT_EQ(c.ok->text(), QStringLiteral("&Ok"));
        EXPECT_EQ(c.cancel->text(), QStringLiteral("&Cancel"));
        EXPECT_TRUE(c.ok->isDefault());
        // The starting value is there, all of it selected, and has the focus.
        EXPECT_EQ(c.edit->text(), QStringLiteral("Home"));
        EXPECT_EQ(c.edit->selectedText(), QStringLiteral("Home"));
        EXPECT_EQ(c.dialog->focusWidget(), c.edit);
        // Tab order: edit box, OK, Cancel.
        EXPECT_EQ(c.edit->nextInFocusChain(), c.ok);
        EXPECT_EQ(c.ok->nextInFocusChain(), c.cancel);
    });
}

TEST(InputBox, GrowsWithTheFont)
{
    const QFont original = QApplication::font();
    QSize small, large;
    QString value;
    RunWith(value, 10, [&](const Controls& c) { small = c.dialog->size(); });
    QFont bigger = original;
    bigger.setPointSizeF(original.pointSizeF() * 2);
    QApplication::setFont(bigger);
    RunWith(value, 10, [&](const Controls& c) { large = c.dialog->size(); });
    QApplication::setFont(original);
    EXPECT_GT(large.width(), small.width() * 3 / 2);
    EXPECT_GT(large.height(), small.height() * 3 / 2);
}

TEST(InputBox, LengthLimitIsClampedTo255)
{
    struct Case {
        int maxLength;
        int limit;
    };
    for (const Case& c : {Case{300, 255}, Case{255, 255}, Case{100, 100}, Case{0, 255}}) {
        QString value;
        int shown = -1;
        RunWith(value, c.maxLength, [&](const Controls& ctl) {
            shown = ctl.edit->maxLength();
            QTest::keyClicks(ctl.edit, QString(c.limit + 1, u'w'));
            QTest::keyClick(ctl.edit, Qt::Key_Return);
        });
        EXPECT_EQ(shown, c.limit) << c.maxLength;
        EXPECT_EQ(value.size(), c.limit) << c.maxLength;  // the extra character was refused
    }
}

TEST(InputBox, EnterAcceptsTheTextExactlyAsTyped)
{
    for (const char* typed : {"  Blank Edges  ", "", "   "}) {
        QString value = QStringLiteral("Start");
        const bool accepted = RunWith(value, 100, [typed](const Controls& c) {
            QTest::keyClick(c.edit, Qt::Key_Delete);  // the selected starting value goes
            QTest::keyClicks(c.edit, QString::fromLatin1(typed));
            QTest::keyClick(c.edit, Qt::Key_Return);
        });
        EXPECT_TRUE(accepted) << '"' << typed << '"';
        EXPECT_EQ(value, QString::fromLatin1(typed));
    }
}

TEST(InputBox, CancelLeavesTheValueUnchanged)
{
    using Closer = std::function<void(const Controls&)>;
    const Closer closers[] = {
        [](const Controls& c) { QTest::keyClick(c.edit, Qt::Key_Escape); },
        [](const Controls& c) { c.cancel->click(); },
        [](const Controls& c) { c.dialog->close(); },
    };
    for (const Closer& close : closers) {
        QString value = QStringLiteral("Start");
        const bool accepted = RunWith(value, 100, [&](const Controls& c) {
            QTest::keyClicks(c.edit, QStringLiteral("typed"));
            close(c);
        });
        EXPECT_FALSE(accepted);
        EXPECT_EQ(value, QStringLiteral("Start"));
    }
}

TEST(InputBox, OkButtonAcceptsAndTheDialogIsGoneAfterwards)
{
    QString value;
    EXPECT_TRUE(RunWith(value, 100, [](const Controls& c) {
        QTest::keyClicks(c.edit, QStringLiteral("Topic"));
        c.ok->click();
    }));
    EXPECT_EQ(value, QStringLiteral("Topic"));
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_NE(w->objectName(), QStringLiteral("InputBox"));
}

TEST(InputBox, LongPromptIsCutOffInsteadOfGrowingTheDialog)
{
    const QString prompt = QString(QStringLiteral("Rename \"A Very Long Page Title\" to ")).repeated(12);
    QString value;
    RunWith(value, 100, [](const Controls& c) {
        const DialogUnits du = MeasureDialogUnits(c.dialog->font());
        EXPECT_EQ(c.label->height(), du.vertical(25));
        EXPECT_EQ(c.dialog->size(), QSize(du.horizontal(180), du.vertical(70)));
    }, prompt);
}

TEST(InputBox, IsCentredOverTheActiveWindow)
{
    QWidget owner;
    owner.setGeometry(200, 150, 601, 401);
    owner.show();
    QApplication::setActiveWindow(&owner);
    QString value;
    RunWith(value, 100, [&](const Controls& c) {
        const QRect frame = owner.frameGeometry();
        const QSize size = c.dialog->size();
        EXPECT_EQ(c.dialog->pos(), QPoint(frame.left() + frame.width() / 2 - size.width() / 2,
                                          frame.top() + frame.height() / 2 - size.height() / 2));
    });
}

}  // namespace
}  // namespace quorvel
