// Printing a rich-text document page by page on a printer whose margins,
// colour mode and page range the caller has set.
#pragma once

class QPrinter;
class QTextDocument;

namespace quorvel {

// Lays a copy of `document` out on the printer's printable area (the
// printer's margins, none added by the document), so text keeps its point
// sizes, and prints the printer's page range (clamped to the pages there
// are; all pages when no range is set).
void PrintPaginated(const QTextDocument& document, QPrinter& printer);

// Hands `to`, a copy of `from`, the pictures `from` shows, so the copy can
// be drawn without the widget that loaded them.
void CopyPictures(const QTextDocument& from, QTextDocument& to);

}  // namespace quorvel
