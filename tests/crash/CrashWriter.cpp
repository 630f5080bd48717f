// Saves materials through MaterialStore in an endless loop, for the crash
// test to kill at random moments. Every saved material carries one version
// number in all its columns (name "v<n>", every number n), so a torn record
// shows as columns of different versions. After each save has returned it
// prints "saved <ID> <version>".
#include "materials/store/MaterialDatabase.h"

#include <cstdio>
#include <random>

using namespace korvane;

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DATABASE SEED\n", argv[0]);
        return 2;
    }
    OpenedDatabase database = openMaterialDatabase(QString::fromLocal8Bit(argv[1]));
    if (!database) {
        std::fprintf(stderr, "%s\n", database.error().c_str());
        return 1;
    }
    MaterialStore& store = **database;
    std::mt19937 random(std::stoul(argv[2]));
    for (;;) {
        const bool adding = random() % 4 == 0;
        float version = 1;
        if (!adding) {
            if (!store.moveTo(int(random() % unsigned(store.storedRowCount()))))
                return 1;
            version = store.field(int(Column::Density)).toFloat() + 1;
        }
        Material values;
        values.name = QStringLiteral("v%1").arg(version);
        unsigned columns = 1u << int(Column::Name);
        for (int c = int(Column::Density); c < kColumnCount; ++c) {
            *numericField(values, Column(c)) = version;
            columns |= 1u << c;
        }
        if (const Result<void> saved = adding ? store.insert(values) : store.saveCurrent(values, columns); !saved) {
            std::fprintf(stderr, "%s\n", saved.error().c_str());
            return 1;
        }
        std::printf("saved %d %g\n", store.field(int(Column::Id)).toInt(), double(version));
        std::fflush(stdout);
    }
}
