#pragma once

#include <QString>
#include <QStringList>

namespace korvane {

// The messages and texts of the program break their lines with a carriage
// return and a line feed.
QString lineBreak();

// The text with each such line break as a line feed alone, which Qt's text
// boxes and message boxes show as one line break.
QString withLineFeeds(const QString& text);

// The non-empty lines of such a text.
QStringList linesOf(const QString& text);

} // namespace korvane
