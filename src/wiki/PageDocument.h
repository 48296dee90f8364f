// The HTML document the viewer shows for a page: a fixed head with the style
// sheet, the header of the three special pages, the converted page body and
// the closing tags. Pure functions over the page's title, id text and
// markup, so the window only gathers them and hands the result on.
#pragma once

#include <QByteArray>
#include <QString>

namespace quorvel {

// The id texts of the special pages.
inline const QString kHomeId = QStringLiteral("1");
inline const QString kSandboxId = QStringLiteral("2");
inline const QString kWhatsNewId = QStringLiteral("3");
inline constexpr int kHomePageId = 1;
inline constexpr int kWhatsNewPageId = 3;
inline const QString kWhatsNewTitle = QStringLiteral("What's New");
// Titles of the daily log pages begin with this.
inline const QString kNewsPrefix = QStringLiteral("News$_");

bool IsSpecialPageId(const QString& wikiId);

// The title as headed: a daily log title "News$_<date>" reads
// "What's New for <date>"; any other title stays as it is.
QString DisplayTitle(const QString& title);

// "=" + the display title + "=" CR LF: a level-1 heading in the markup.
QString HeadingLine(const QString& title);

// The markup that is converted: the heading line before the page text,
// except on the special pages, which carry their own header.
QString PageMarkup(const QString& title, const QString& wikiId, const QString& pageText);

// The fixed header of page "1", "2" or "3"; empty for any other id text.
QByteArray SpecialHeader(const QString& wikiId);

// Head (with the heading line as the document title), special header, body
// and tail, in that order, as UTF-8.
QByteArray BuildPageDocument(const QString& headingLine, const QString& wikiId,
                             const QByteArray& body);

// Every line break (CR LF, a lone CR, a lone LF) as CR LF, the form page
// text always has in the editor.
QString ToCrLf(const QString& text);

}  // namespace quorvel
