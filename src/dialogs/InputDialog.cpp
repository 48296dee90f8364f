#include "dialogs/InputDialog.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <memory>

namespace quorvel {

namespace {

// n * numerator / denominator rounded to the nearest whole number, computed
// in 64 bits so the product never overflows.
int MulDiv(int n, int numerator, int denominator)
{
    const long long product = static_cast<long long>(n) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

// Dialog layout in dialog units.
constexpr int kClientWidth = 180, kClientHeight = 70;
constexpr int kMargin = 8;
constexpr int kLabelTop = 2, kLabelWidth = 164, kLabelHeight = 25;
constexpr int kEditTop = 30, kEditWidth = 164;
constexpr int kButtonTop = 48, kButtonWidth = 50, kButtonHeight = 14;
constexpr int kOkLeft = 30, kCancelLeft = 106;

QPoint DialogPosition(const QSize& size)
{
    if (QWidget* active = QApplication::activeWindow()) {
        const QRect frame = active->frameGeometry();
        // Halves rounded toward zero, as integer division does.
        return {frame.left() + frame.width() / 2 - size.width() / 2,
                frame.top() + frame.height() / 2 - size.height() / 2};
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    return {area.left() + (area.width() - size.width()) / 2,
            area.top() + (area.height() - size.height()) / 2};
}

}  // namespace

int DialogUnits::horizontal(int units) const { return MulDiv(units, charWidth, 4); }
int DialogUnits::vertical(int units) const { return MulDiv(units, charHeight, 8); }

DialogUnits MeasureDialogUnits(const QFont& font)
{
    static const QString kAlphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetrics metrics(font);
    DialogUnits units;
    units.charWidth = metrics.horizontalAdvance(kAlphabet) / 52;
    units.charHeight = metrics.height();
    return units;
}

int EffectiveInputMaxLength(int maxLength)
{
    return maxLength <= 0 ? kInputBoxMaxLengthLimit : std::min(maxLength, kInputBoxMaxLengthLimit);
}

bool RunInputBox(const QString& caption, const QString& prompt, QString& value, int maxLength)
{
    const int limit = EffectiveInputMaxLength(maxLength);

    // Owned here, so it is destroyed on every path out of this function.
    auto dialog = std::make_unique<QDialog>(QApplication::activeWindow(),
                                            Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                                Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog->setObjectName(QStringLiteral("InputBox"));
    dialog->setWindowTitle(caption);
    dialog->setModal(true);
    dialog->setFont(QApplication::font());
    const DialogUnits du = MeasureDialogUnits(dialog->font());
    const QSize size(du.horizontal(kClientWidth), du.vertical(kClientHeight));
    dialog->setFixedSize(size);
    dialog->move(DialogPosition(size));

    auto* label = new QLabel(prompt, dialog.get());
    label->setObjectName(QStringLiteral("Prompt"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(du.horizontal(kMargin), du.vertical(kLabelTop), du.horizontal(kLabelWidth),
                       du.vertical(kLabelHeight));

    auto* edit = new QLineEdit(dialog.get());
    edit->setObjectName(QStringLiteral("Edit"));
    edit->setMaxLength(limit);
    edit->setText(value);
    edit->selectAll();
    edit->setGeometry(du.horizontal(kMargin), du.vertical(kEditTop), du.horizontal(kEditWidth),
                      edit->sizeHint().height());

    auto* ok = new QPushButton(QStringLiteral("&Ok"), dialog.get());
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    ok->setGeometry(du.horizontal(kOkLeft), du.vertical(kButtonTop), du.horizontal(kButtonWidth),
                    du.vertical(kButtonHeight));
    QObject::connect(ok, &QPushButton::clicked, dialog.get(), &QDialog::accept);

    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), dialog.get());
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setGeometry(du.horizontal(kCancelLeft), du.vertical(kButtonTop),
                        du.horizontal(kButtonWidth), du.vertical(kButtonHeight));
    // Escape rejects a QDialog by itself.
    QObject::connect(cancel, &QPushButton::clicked, dialog.get(), &QDialog::reject);

    QWidget::setTabOrder(edit, ok);
    QWidget::setTabOrder(ok, cancel);
    edit->setFocus();

    if (dialog->exec() != QDialog::Accepted)
        return false;
    value = edit->text();
    return true;
}

}  // namespace quorvel
