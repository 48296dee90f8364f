#include "wiki/PageDocument.h"

namespace quorvel {

namespace {

constexpr const char* kHeadPieces[] = {
    "<html><meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\"><head><title>",
    nullptr,  // the heading line
    "</title>",
    "<style type=\"text/css\">",
    "h1{color: blue}",
    "ol ol {list-style-type: lower-alpha;}",
    "ol ol ol {list-style-type: lower-roman;}",
    "table {border-collapse: collapse;}",
    "table, td, th {border: 1px solid black;}",
    "td, th {text-align: left;}",
    "td, th {padding:5px;}",
    "</style></head><body>",
};

constexpr const char* kTail = "</body></html>";

constexpr const char* kLogo = "<IMG SRC=\"logo.jpg\" BORDER=\"0\" ALIGN=\"right\">";

constexpr const char* kHomeHeader = "<H1>Home</H1>%LOGO%";

constexpr const char* kSandboxHeader =
    "<H1>Sandbox</H1>"
    "%LOGO%"
    "<p>This Sandbox is a place you may experiment with wiki mark up text. Edit this page to see "
    "how to type things. Then save it to see what it looks like when you are browsing.</p> "
    "<p>You only need to use the markup codes if you want your information to <b>stand out</b>, "
    "otherwise, just type.</p> "
    "<p>wiki = <b>W</b><i>hat</i> <b>I</b> <b>K</b><i>now</i> <b>I</b><i>s</i> = Please share "
    "your knowledge.</p><HR>";

constexpr const char* kWhatsNewHeader =
    "<H1>What's New</H1>"
    "%LOGO%"
    "<p>This is an <b>automatic</b> log page,click the button below to create a new entry for "
    "Today.</p><p align=\"center\"><input type=\"button\" value=\" Add New Entry \" "
    "OnClick=\"display\"></p><HR>";

QByteArray WithLogo(const char* header)
{
    QByteArray text(header);
    text.replace("%LOGO%", kLogo);
    return text;
}

}  // namespace

bool IsSpecialPageId(const QString& wikiId)
{
    return wikiId == kHomeId || wikiId == kSandboxId || wikiId == kWhatsNewId;
}

QString DisplayTitle(const QString& title)
{
    if (title.startsWith(kNewsPrefix, Qt::CaseSensitive))
        return QStringLiteral("What's New for ") + title.mid(kNewsPrefix.size());
    return title;
}

QString HeadingLine(const QString& title)
{
    return QStringLiteral("=") + DisplayTitle(title) + QStringLiteral("=\r\n");
}

QString PageMarkup(const QString& title, const QString& wikiId, const QString& pageText)
{
    if (IsSpecialPageId(wikiId))
        return pageText;
    return HeadingLine(title) + pageText;
}

QByteArray SpecialHeader(const QString& wikiId)
{
    if (wikiId == kHomeId)
        return WithLogo(kHomeHeader);
    if (wikiId == kSandboxId)
        return WithLogo(kSandboxHeader);
    if (wikiId == kWhatsNewId)
        return WithLogo(kWhatsNewHeader);
    return {};
}

QByteArray BuildPageDocument(const QString& headingLine, const QString& wikiId,
                             const QByteArray& body)
{
    QByteArray document;
    for (const char* piece : kHeadPieces)
        document += piece ? QByteArray(piece) : headingLine.toUtf8();
    document += SpecialHeader(wikiId);
    document += body;
    document += kTail;
    return document;
}

QString ToCrLf(const QString& text)
{
    QString result;
    result.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            result += QStringLiteral("\r\n");
        } else if (c == u'\n') {
            result += QStringLiteral("\r\n");
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace quorvel
