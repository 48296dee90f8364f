-- The template database written beside the program on first start.
-- Built at compile time by generators/make_template_db.c, which runs this
-- file, then stores logo.jpg as attachment row 1 of page 1 and checks the
-- result. Page text is written here with plain line feeds; the last
-- statement turns them into CR LF, the line end of page text.
-- Dates are Julian day numbers of whole days: 2455562.5 is 1 January 2011.

PRAGMA page_size = 1024;
PRAGMA encoding = 'UTF-8';

CREATE TABLE "WikiPages" ("Content" TEXT,"CreatedBy" TEXT,"CreatedByDate" REAL,"wiki_id" INTEGER PRIMARY KEY ,"UpdatedBy" TEXT,"UpdatedByDate" REAL,"WikiWord" TEXT);
CREATE TABLE "WikiPagesHx" ("Content" TEXT,"id" INTEGER PRIMARY KEY ,"wiki_id" INTEGER,"UpdatedBy" TEXT,"UpdatedByDate" REAL,"WikiWord" TEXT);
CREATE TABLE "WikiAttachment" ("Content" BLOB,"id" INTEGER PRIMARY KEY ,"wiki_id" INTEGER);
-- With no index and no rows, ANALYZE creates sqlite_stat1 and leaves it empty.
ANALYZE;

-- The three special pages: Home, Sandbox, What's New.
INSERT INTO WikiPages (wiki_id, WikiWord, CreatedBy, CreatedByDate, UpdatedBy, UpdatedByDate, Content)
VALUES (1, 'Home', 'quorvel', 2455564.5, 'quorvel', 2455578.5,
'Welcome to **Quorvel**, a wiki that lives on your own desktop. Every page is yours to read, change and link: click a link to follow it, press the edit button to change the page in view, and write a link to a page that does not exist yet to create it.

Start with one of these topics:
* [[Getting Started]]
* [[Projects]]
* [[Meeting Notes]]
* [[How To]]
* [[Reference]]
* [[People]]

The log of what happened lately is on [[What''s New]]. To try out the wiki markup, go to the [[Sandbox]].
');

INSERT INTO WikiPages (wiki_id, WikiWord, CreatedBy, CreatedByDate, UpdatedBy, UpdatedByDate, Content)
VALUES (2, 'Sandbox', 'quorvel', 2455564.5, 'quorvel', 2455578.5,
'== Headings ==
=== A third-level heading ===
==== A fourth-level heading ====

== Emphasis ==
You can write **bold**, //italic//, __underlined__, ^^superscript^^, ,,subscript,, and ##monospace## text, and **//combine them//**.
A forced line break goes here:\\and the text goes on in a new line.
A tilde shows markup as it is: ~**not bold~**, and so do three braces: {{{**no wiki** here}}}.
Text in any language works too: café, naïve, Grüße, Ελληνικά, 日本語.

== Lists ==
* A bullet item
* Another bullet item
** A nested bullet
*** Nested deeper

# A numbered item
# Another numbered item
## A nested number
### Nested deeper

; Term
: The definition of the term.
; Wiki
: A collection of linked pages that anyone may edit.

== Indents ==
: An indented paragraph.
:: Indented twice.
::: And three times.

== Preformatted text ==
{{{
Preformatted text keeps its    spaces
and its line breaks, and shows **markup** as it is.
}}}

== Tables ==
|= Markup |= Result |
| {{{**bold**}}} | **bold** |
| {{{//italic//}}} | //italic// |
| {{{[[Home]]}}} | [[Home]] |

== Rules ==
A horizontal rule follows.
----
And the text goes on below it.

== Links ==
* A link to a page: [[Getting Started]]
* A link with a text of its own: [[How To|pages that explain how to do things]]
* A link to a page that does not exist yet: [[My New Page]]
* A link to a file: [[readme.txt]] or [[manual.pdf|the manual]]
* A link to a web address: [[http://www.sqlite.org|the SQLite web site]]

== Pictures ==
{{logo.jpg|The Quorvel logo}}
');

INSERT INTO WikiPages (wiki_id, WikiWord, CreatedBy, CreatedByDate, UpdatedBy, UpdatedByDate, Content)
VALUES (3, 'What''s New', 'quorvel', 2455564.5, 'quorvel', 2455578.5, char(10));

-- The topic tree: six index pages of indented links (4 to 9), their
-- sub-topic pages (10 to 23) and a page of useful web sites (24). Links to
-- pages that do not exist yet invite the user to write them.
INSERT INTO WikiPages (wiki_id, WikiWord, CreatedBy, CreatedByDate, Content) VALUES
(4, 'Getting Started', 'quorvel', 2455565.5,
'Pages that help you find your way around this wiki:
: [[Writing Pages]]
: [[Linking Pages]]
: [[Finding Pages]]
'),
(5, 'Projects', 'quorvel', 2455565.5,
'Notes on the projects we work on:
: [[Project Ideas]]
: [[Project Status]]
: [[Finished Projects]]
'),
(6, 'Meeting Notes', 'quorvel', 2455566.5,
'Notes of our meetings, newest first:
: [[Meeting Template]]
: [[Action Items]]
'),
(7, 'How To', 'quorvel', 2455566.5,
'Step by step instructions:
: [[Backing Up The Wiki]]
: [[Printing A Page]]
: [[Using Page History]]
'),
(8, 'Reference', 'quorvel', 2455567.5,
'Things worth looking up:
: [[Glossary]]
: [[Markup Cheat Sheet]]
: [[Useful Web Sites]]
'),
(9, 'People', 'quorvel', 2455567.5,
'Who is who:
: [[Contacts]]
: [[Team Roles]]
: [[Welcome New Members]]
'),
(10, 'Writing Pages', 'quorvel', 2455568.5,
'Describe here how pages are written in this wiki.
'),
(11, 'Linking Pages', 'quorvel', 2455568.5,
'Explain here how pages link to each other.
'),
(12, 'Finding Pages', 'quorvel', 2455569.5,
'Write down here the tricks you use to find a page.
'),
(13, 'Project Ideas', 'quorvel', 2455569.5,
'Ideas waiting for someone to pick them up:
* [[Idea One]]
* [[Idea Two]]
'),
(14, 'Project Status', 'quorvel', 2455570.5,
'Keep the state of each running project here.
'),
(15, 'Finished Projects', 'quorvel', 2455570.5,
'List the projects that are done, with a link to their notes.
'),
(16, 'Meeting Template', 'quorvel', 2455571.5,
'Copy this outline for a new meeting:
* [[Agenda]]
* [[Decisions]]
* [[Next Meeting]]
'),
(17, 'Action Items', 'quorvel', 2455571.5,
'Write the open action items here, one per line, with who does what by when.
'),
(18, 'Backing Up The Wiki', 'quorvel', 2455572.5,
'Describe here how and where the wiki is backed up.
'),
(19, 'Printing A Page', 'quorvel', 2455572.5,
'Explain here how to print a page.
'),
(20, 'Using Page History', 'quorvel', 2455573.5,
'Explain here how earlier versions of a page are found and read.
'),
(21, 'Glossary', 'quorvel', 2455573.5,
'Words and what they mean here:
* [[WikiWord]]
* [[Creole]]
'),
(22, 'Markup Cheat Sheet', 'quorvel', 2455574.5,
'Collect the markup you use most, or open the [[Sandbox]] to see every example.
'),
(23, 'Contacts', 'quorvel', 2455574.5,
'Names, numbers and mail addresses of the people we work with.
');

INSERT INTO WikiPages (wiki_id, WikiWord, CreatedBy, CreatedByDate, UpdatedBy, UpdatedByDate, Content)
VALUES (24, 'Useful Web Sites', 'quorvel', 2455575.5, 'quorvel', 2455580.5,
'Web sites worth a visit:
* [[http://www.sqlite.org|SQLite]], the database that holds this wiki
* [[http://www.wikicreole.org|WikiCreole]], the markup of these pages
* [[http://www.wikipedia.org|Wikipedia]], the free encyclopedia
* [[http://www.gnu.org|GNU]], free software
');

-- Page text ends its lines with CR LF; What's New keeps its single line feed.
UPDATE WikiPages
SET Content = replace(replace(Content, char(13), ''), char(10), char(13) || char(10))
WHERE wiki_id <> 3;
