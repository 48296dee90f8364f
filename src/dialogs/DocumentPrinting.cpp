#include "dialogs/DocumentPrinting.h"

#include <QAbstractTextDocumentLayout>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QUrl>
#include <memory>

namespace quorvel {

void CopyPictures(const QTextDocument& from, QTextDocument& to)
{
    for (QTextBlock block = from.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QUrl name(format.toImageFormat().name());
            const QVariant picture = from.resource(QTextDocument::ImageResource, name);
            if (picture.isValid())
                to.addResource(QTextDocument::ImageResource, name, picture);
        }
    }
}

void PrintPaginated(const QTextDocument& document, QPrinter& printer)
{
    // A document without a page size gets a 2 cm frame margin of its own
    // from QTextDocument::print on top of the printer's margins; a copy
    // paginated for the printer itself prints at scale 1.0 inside exactly
    // the printer's margins.
    std::unique_ptr<QTextDocument> copy(document.clone());
    CopyPictures(document, *copy);
    copy->documentLayout()->setPaintDevice(&printer);
    QTextFrameFormat frame = copy->rootFrame()->frameFormat();
    frame.setMargin(0);
    copy->rootFrame()->setFrameFormat(frame);
    copy->setPageSize(QSizeF(printer.width(), printer.height()));
    copy->print(&printer);
}

}  // namespace quorvel
