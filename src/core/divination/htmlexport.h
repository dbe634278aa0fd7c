#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace yw {

// Where the page's link points: the program's home page.
inline const QString kProductSite = QStringLiteral("https://yarrowind.org/");

// The interpretation of hexagram `number` as one line of the page: every line of its section
// followed by "<p>". Empty for an empty number. Throws yw::Error when the file cannot be read.
QString TextToHtml(const QString &number, const QString &fileName, const QString &textDir);

// "cp-" + number + "_" + method index + "_" + variant index + ".html"
QString htmlPageName(const QString &number, int methodIndex, int variantIndex);

// The twelve lines of the page. Texts go in as they are, without escaping, so markup inside an
// interpretation stays markup.
QStringList htmlPageLines(const QString &number, const QDateTime &now, const QString &methodText,
                          const QString &interpretationText, const QString &body);

// Writes the lines in code page 1251, each ended by CR LF, replacing any file of that name.
// Returns the full path; throws yw::Error when the file cannot be written.
QString writeHtmlPage(const QString &folder, const QString &name, const QStringList &lines);

} // namespace yw
