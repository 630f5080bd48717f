#pragma once

#include "query/Quantification.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace korvane::ui {

// The column headings of the results, each field by its symbol with its unit.
QStringList quantificationHeadings();

// What the symbols of the headings stand for.
QString quantificationLegend();

// A row's cell as the window shows it: tpp2m's table digits with the user's
// decimal separator; empty where the factor has no value.
QString shownCell(const QuantificationRow& row, int field);

// The rows as tpp2m quantify --csv writes them: the fields' names, then each
// factor's full value, the shortest text that reads back as the same Single.
std::string quantificationCsv(const std::vector<QuantificationRow>& rows);

} // namespace korvane::ui
