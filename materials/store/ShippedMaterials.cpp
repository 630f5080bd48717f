#include "materials/store/ShippedMaterials.h"

#include "materials/store/MaterialSchema.h"

#include <QStringList>

#include <charconv>

namespace korvane {

namespace {

QString cellError(int lineNumber, const QString& what)
{
    return QStringLiteral("line %1: %2").arg(lineNumber).arg(what);
}

bool readNumber(const QString& cell, std::optional<float>& value)
{
    if (cell.isEmpty()) {
        value.reset();
        return true;
    }
    const QByteArray bytes = cell.toLatin1();
    double parsed = 0;
    const auto [end, ec] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), parsed);
    if (ec != std::errc() || end != bytes.data() + bytes.size())
        return false;
    value = static_cast<float>(parsed);
    return true;
}

} // namespace

Result<std::vector<Material>> readShippedMaterials(std::string_view text)
{
    std::vector<Material> materials;
    const QStringList lines = QString::fromUtf8(text.data(), qsizetype(text.size())).split(u'\n');
    bool headerSeen = false;
    QList<int> order; // table column of each cell
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNumber = i + 1;
        QString line = lines[i];
        if (const qsizetype hash = line.indexOf(u'#'); hash >= 0)
            line.truncate(hash);
        if (line.trimmed().isEmpty())
            continue;
        QStringList cells = line.split(u'|');
        for (QString& cell : cells)
            cell = cell.trimmed();
        if (cells.size() != kColumnCount)
            return failed(cellError(lineNumber,
                                    QStringLiteral("expected %1 cells, found %2").arg(kColumnCount).arg(cells.size())));
        if (!headerSeen) {
            // The header names every column once, in any order.
            for (int c = 0; c < kColumnCount; ++c) {
                const int column = schema::columnIndex(cells[c]);
                if (column < 0 || order.contains(column))
                    return failed(
                        cellError(lineNumber, QStringLiteral("\"%1\" is not a column name, or twice").arg(cells[c])));
                order.append(column);
            }
            headerSeen = true;
            continue;
        }
        QStringList byColumn(kColumnCount);
        for (int c = 0; c < kColumnCount; ++c)
            byColumn[order[c]] = cells[c];
        cells = byColumn;
        Material material;
        bool idOk = false;
        material.id = cells[int(Column::Id)].toLongLong(&idOk);
        if (!idOk)
            return failed(cellError(lineNumber, QStringLiteral("the ID is not a whole number")));
        material.description = cells[int(Column::Description)];
        material.name = cells[int(Column::Name)];
        for (int c = int(Column::Density); c < kColumnCount; ++c) {
            if (!readNumber(cells[c], *numericField(material, Column(c))))
                return failed(cellError(lineNumber, QStringLiteral("\"%1\" is not a number").arg(cells[c])));
        }
        materials.push_back(std::move(material));
    }
    if (!headerSeen)
        return failed(QStringLiteral("the column header is missing"));
    return materials;
}

} // namespace korvane
