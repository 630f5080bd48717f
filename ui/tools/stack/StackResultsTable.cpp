#include "ui/tools/stack/StackResultsTable.h"

#include "presentation/LocaleNumberText.h"
#include "presentation/ResultText.h"
#include "query/ValueWithError.h"

#include <QHeaderView>
#include <QTableWidget>

#include <numeric>

namespace korvane::ui {

namespace {

QStringList headings(bool withLine)
{
    QStringList names{QStringLiteral("Angle (\u00B0)"), QStringLiteral("Layer"),          QStringLiteral("Material"),
                      QStringLiteral("Thickness (\u00C5)"), QStringLiteral("IMFP (\u00C5)"),
                      QStringLiteral("sla signal (\u00C5)"), QStringLiteral("sla share (%)"),
                      QStringLiteral("mc signal (\u00C5)"),  QStringLiteral("mc share (%)")};
    if (withLine)
        names << QStringLiteral("Atoms (\u00C5\u207B\u00B3)") << QStringLiteral("sla intensity")
              << QStringLiteral("sla peak (%)") << QStringLiteral("mc intensity") << QStringLiteral("mc peak (%)");
    return names;
}

// The share of each part of a whole, in percent with one decimal.
std::vector<QString> shares(const std::vector<double>& parts)
{
    const double whole = std::accumulate(parts.begin(), parts.end(), 0.0);
    std::vector<QString> texts;
    for (const double part : parts)
        texts.push_back(numbertext::fixed(100 * part / whole, 1));
    return texts;
}

void put(QTableWidget* table, int row, int column, const QString& text)
{
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    cell->setTextAlignment(column == 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(row, column, cell);
}

// The columns of one model at one angle: its signals, their shares, and the
// intensities and their shares of the peak where every layer's atoms are known.
struct ModelColumns {
    std::vector<QString> signal, share, intensity, peak;
};

ModelColumns modelColumns(const std::vector<double>& values, const std::vector<double>& errors,
                          const std::vector<Result<double>>& atoms, bool simulated)
{
    ModelColumns columns;
    for (std::size_t k = 0; k < values.size(); ++k)
        columns.signal.push_back(simulated ? numbertext::localised(shown::valueWithError(values[k], errors[k]))
                                           : numbertext::fixed(float(values[k]), 3));
    columns.share = shares(values);
    if (atoms.empty())
        return columns;
    std::vector<double> intensities;
    for (std::size_t k = 0; k < values.size(); ++k) {
        columns.intensity.push_back(atoms[k] ? numbertext::shortest(float(*atoms[k] * values[k])) : QString());
        if (atoms[k])
            intensities.push_back(*atoms[k] * values[k]);
    }
    if (intensities.size() == values.size())
        columns.peak = shares(intensities);
    else
        columns.peak.assign(values.size(), QString());
    return columns;
}

} // namespace

void clearResultsTable(QTableWidget* table)
{
    table->setRowCount(0);
}

void fillResultsTable(QTableWidget* table, const StackResults& results,
                      const std::optional<StackSimulationPanel::Signals>& simulated)
{
    const bool withLine = results.line.has_value();
    const QStringList names = headings(withLine);
    table->setColumnCount(int(names.size()));
    table->setHorizontalHeaderLabels(names);
    const std::size_t layers = results.stack.materials.size();
    table->setRowCount(int(results.angles.size() * layers));
    for (std::size_t a = 0; a < results.angles.size(); ++a) {
        const std::vector<double>& sla = results.straightLine[a];
        const ModelColumns straight = modelColumns(sla, std::vector<double>(layers, 0.0), results.atoms, false);
        std::optional<ModelColumns> mc;
        if (simulated) {
            std::vector<double> values, errors;
            for (const Estimate& e : (*simulated)[a]) {
                values.push_back(e.value);
                errors.push_back(e.error);
            }
            mc = modelColumns(values, errors, results.atoms, true);
        }
        for (std::size_t k = 0; k < layers; ++k) {
            const int row = int(a * layers + k);
            const bool substrate = k == results.stack.thicknesses.size();
            QStringList cells{numbertext::shortest(float(results.angles[a])),
                              substrate ? QStringLiteral("substrate") : QString::number(k + 1),
                              results.stack.materials[k].name,
                              substrate ? QString() : numbertext::fixed(float(results.stack.thicknesses[k]), 2),
                              numbertext::fixed(float(results.imfps[k]), 2),
                              straight.signal[k],
                              straight.share[k],
                              mc ? mc->signal[k] : QString(),
                              mc ? mc->share[k] : QString()};
            if (withLine)
                cells << (results.atoms[k] ? numbertext::shortest(float(*results.atoms[k])) : QString())
                      << straight.intensity[k] << straight.peak[k] << (mc ? mc->intensity[k] : QString())
                      << (mc ? mc->peak[k] : QString());
            for (int c = 0; c < cells.size(); ++c)
                put(table, row, c, cells[c]);
        }
    }
    table->resizeColumnsToContents();
}

} // namespace korvane::ui
