#pragma once

#include "materials/store/MaterialDatabase.h"

#include <QTemporaryDir>

#include <map>
#include <vector>

namespace korvane::test {

inline Material material(qint64 id, const char* name, float density, float mass, float gap, std::optional<float> hbe,
                         std::optional<float> lbe, std::optional<float> d, std::optional<float> f)
{
    return Material{id, {}, QString::fromLatin1(name), density, mass, gap, hbe, lbe, d, f};
}

// A small table: three elements and three compounds, in ID order.
inline std::vector<Material> fixtureMaterials()
{
    return {
        material(8, "O", 1.568f, 15.999f, 0, std::nullopt, 6, std::nullopt, std::nullopt),
        material(14, "Si", 2.33f, 28.085f, 1.12f, 8, 4, std::nullopt, std::nullopt),
        material(29, "Cu", 8.96f, 63.546f, 0, 8, 1, 10, std::nullopt),
        material(104, "SiO2", 2.65f, 60.08f, 9.1f, std::nullopt, std::nullopt, std::nullopt, 16),
        material(105, "Cu2O", 6, 143, 2.2f, std::nullopt, std::nullopt, std::nullopt, 28),
        material(110, "SiC", 3.21f, 40.096f, 2.36f, std::nullopt, std::nullopt, std::nullopt, 8),
    };
}

// Every material in the file as a second connection reads it, by ID.
inline std::map<qint64, Material> storedMaterials(const QString& path)
{
    std::map<qint64, Material> materials;
    OpenedDatabase other = openMaterialDatabase(path, /*readOnly=*/true);
    if (!other)
        return materials;
    for (int i = 0; i < (*other)->storedRowCount(); ++i) {
        const Material m = (*other)->row(i);
        materials[m.id] = m;
    }
    return materials;
}

// A fresh database file with the fixture rows in a temporary folder that
// disappears with the object.
class FixtureDatabase {
public:
    explicit FixtureDatabase(const std::vector<Material>& rows = fixtureMaterials())
    {
        created_ = bool(createMaterialDatabase(path(), rows));
    }
    bool created() const { return created_; }
    QString path() const { return dir_.filePath(QStringLiteral("DataBase/TPP2-data.db")); }
    QString folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    bool created_ = false;
};

} // namespace korvane::test
