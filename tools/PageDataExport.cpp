// Writes what the browser page reads besides its code, from the program's own
// modules, so that nothing of it is written twice:
//   materials.db    the shipped materials, as the desktop creates its database;
//   page-data.json  the SQL statements the page runs on a materials file (the
//                   second column's name, which differs from file to file,
//                   as "@SECOND@") and the binding energies of every core level
//                   of every element ("29\t2p3/2\t932.7" lines), since xraylib
//                   does not run in the browser; and the photoionisation
//                   cross-sections of those levels for the five named X-ray
//                   sources, a doublet's also as the whole doublet under its
//                   level without the spin-orbit part ("8\t1s\tAlKa\t39967.6"
//                   lines, barns per atom).
// Usage: page-data FOLDER
#include "lines/BindingEnergy.h"
#include "lines/CoreLevel.h"
#include "lines/PhotoionisationCrossSection.h"
#include "materials/model/Material.h"
#include "materials/store/MaterialDatabase.h"
#include "materials/store/MaterialSchema.h"
#include "presentation/ResultText.h"
#include "query/XraySource.h"
#include "materials/store/ShippedMaterials.h"

#include "calc/ScreeningFunction.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace korvane;

namespace {

const QString kSecondColumn = QStringLiteral("@SECOND@");

QJsonObject statements()
{
    return {
        {QStringLiteral("tableType"), schema::tableType()},
        {QStringLiteral("tableInfo"), schema::tableInfo()},
        {QStringLiteral("quickCheck"), schema::quickCheck()},
        {QStringLiteral("firstUnreadableRow"), schema::firstUnreadableRow(true)},
        {QStringLiteral("firstUnreadableRowKeyed"), schema::firstUnreadableRow(false)},
        {QStringLiteral("repeatedId"), schema::repeatedId()},
        {QStringLiteral("idsAndNames"), schema::idsAndNames()},
        {QStringLiteral("firstRowNamed"), schema::firstRowNamed(kSecondColumn)},
        {QStringLiteral("rowWithId"), schema::rowWithId(kSecondColumn)},
    };
}

QString bindingEnergies()
{
    QString table;
    for (int z = 1; z <= kLastElement; ++z) {
        for (const lines::CoreLevel& level : lines::coreLevels()) {
            if (const std::optional<double> energy = lines::bindingEnergy(z, level))
                table += QStringLiteral("%1\t%2\t%3\n")
                             .arg(z)
                             .arg(QLatin1String(level.name.data(), qsizetype(level.name.size())))
                             .arg(*energy, 0, 'g', 17);
        }
    }
    return table;
}

// Every level of the binding energies as a peak may be written: whole
// ("2p3/2", "1s") and, for a spin-orbit pair, without its part ("2p").
std::vector<std::string> peakLevels()
{
    std::vector<std::string> levels;
    for (const lines::CoreLevel& level : lines::coreLevels()) {
        if (level.name.size() > 2 && std::find(levels.begin(), levels.end(), level.name.substr(0, 2)) == levels.end())
            levels.emplace_back(level.name.substr(0, 2));
        levels.emplace_back(level.name);
    }
    return levels;
}

QString crossSections()
{
    const std::vector<std::string> levels = peakLevels();
    QString table;
    for (int z = 1; z <= kLastElement; ++z) {
        for (const XraySource& source : xraySources()) {
            for (const std::string& level : levels) {
                const std::optional<lines::CoreLevel> found = lines::findCoreLevel(level);
                if (!found || !lines::bindingEnergy(z, *found))
                    continue;
                if (const std::optional<double> barns = lines::peakCrossSection(z, level, source.photonEnergy))
                    table += QStringLiteral("%1\t%2\t%3\t%4\n")
                                 .arg(z)
                                 .arg(QString::fromStdString(level))
                                 .arg(QLatin1String(source.key.data(), qsizetype(source.key.size())))
                                 .arg(*barns, 0, 'g', 17);
            }
        }
    }
    return table;
}

bool fail(const QString& why)
{
    std::fprintf(stderr, "page-data: %s\n", qPrintable(why));
    return false;
}

bool writePageData(const QDir& folder)
{
    const QJsonObject data{
        {QStringLiteral("sql"), statements()},
        {QStringLiteral("secondColumn"), kSecondColumn},
        {QStringLiteral("bindingEnergies"), bindingEnergies()},
        {QStringLiteral("crossSections"), crossSections()},
        // The highest ID of an element row, for finding a formula's elements.
        {QStringLiteral("lastElementId"), double(kFirstCompoundId - 1)},
    };
    QFile file(folder.filePath(QStringLiteral("page-data.json")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(file.errorString());
    const QByteArray json = QJsonDocument(data).toJson(QJsonDocument::Compact);
    if (file.write(json) != json.size() || !file.flush())
        return fail(file.errorString());
    return true;
}

bool writeShippedDatabase(const QDir& folder)
{
    const QString path = folder.filePath(QStringLiteral("materials.db"));
    QFile::remove(path);
    const Result<std::vector<Material>> rows = readShippedMaterials(shippedMaterialsText());
    if (!rows)
        return fail(errorText(rows));
    const Result<void> created = createMaterialDatabase(path, *rows);
    return created ? true : fail(errorText(created));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return fail(QStringLiteral("usage: page-data FOLDER")), 2;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return fail(QStringLiteral("cannot make %1").arg(folder.path())), 1;
    return writePageData(folder) && writeShippedDatabase(folder) ? 0 : 1;
}
