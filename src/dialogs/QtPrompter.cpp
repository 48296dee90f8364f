#include "dialogs/QtPrompter.h"

#include "dialogs/DesktopOpener.h"
#include "dialogs/DocumentPrinting.h"
#include "dialogs/InputDialog.h"
#include "dialogs/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>

namespace quorvel {

MessageButton QtPrompter::showMessage(const MessageBoxRequest& box)
{
    return RunMessageBox(box);
}

bool QtPrompter::inputBox(const QString& caption, const QString& prompt, QString& value,
                          int maxLength)
{
    return RunInputBox(caption, prompt, value, maxLength);
}

std::optional<QString> QtPrompter::chooseFolder(const QString& caption, const QString& startFolder)
{
    QFileDialog dialog(QApplication::activeWindow(), caption, startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    QString folder = QDir::cleanPath(dialog.selectedFiles().constFirst());
    if (!QFileInfo(folder).isDir()) {
        MessageBoxRequest confirm;
        confirm.caption = caption;
        confirm.text = QStringLiteral("The folder \"%1\" does not exist.\r\n\r\nCreate it?")
                           .arg(QDir::toNativeSeparators(folder));
        confirm.kind = MessageKind::Confirmation;
        confirm.buttons = MessageButtons::YesNo;
        if (showMessage(confirm) != MessageButton::Yes || !QDir().mkpath(folder))
            return std::nullopt;
    }
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

bool QtPrompter::print(const PrintRequest& request)
{
    if (!request.document)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    PrintRange fallback;
    PrintRange& range = request.range ? *request.range : fallback;
    dialog.setMinMax(range.minPage, range.maxPage);
    printer.setFromTo(range.fromPage, range.toPage);
    if (dialog.exec() != QDialog::Accepted)
        return false;

    range.rangeChosen = printer.printRange() == QPrinter::PageRange;
    if (range.rangeChosen) {
        range.fromPage = printer.fromPage();
        range.toPage = printer.toPage();
    } else {
        printer.setFromTo(range.minPage, range.maxPage);
    }
    printer.setDocName(request.title);
    printer.setColorMode(QPrinter::GrayScale);
    const double m = request.marginMillimetres;
    printer.setPageMargins(QMarginsF(m, m, m, m), QPageLayout::Millimeter);
    PrintPaginated(*request.document, printer);
    return true;
}

namespace {

bool LooksLikeUrl(const QString& target)
{
    const QUrl url(target);
    // A one-letter scheme would be a drive letter, not a scheme.
    return (url.isValid() && url.scheme().size() > 1) ||
           target.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
}

}  // namespace

OpenTargetResult QtPrompter::openTarget(const QString& target)
{
    if (LooksLikeUrl(target)) {
        const QUrl url = QUrl::fromUserInput(target);
        if (url.isLocalFile())
            return openTarget(url.toLocalFile());
        return {RunDesktopOpener(url.toString())};
    }
    // A relative name is resolved against the process's current folder.
    const QFileInfo file(QDir::current(), target);
    if (!file.exists())
        return {file.dir().exists() ? kOpenFileNotFound : kOpenPathNotFound};
    if (!file.isReadable())
        return {kOpenAccessDenied};
    return {RunDesktopOpener(file.absoluteFilePath())};
}

}  // namespace quorvel
