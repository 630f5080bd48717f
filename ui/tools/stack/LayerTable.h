#pragma once

#include "core/Result.h"
#include "lookup/MaterialInputs.h"
#include "query/ValenceGroups.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QTableWidget;

namespace korvane {
class MaterialStore;
}

namespace korvane::ui {

// The sample as the user builds it: layers from the surface down, each a
// material of the database (a list of its names that also takes a typed
// name) and a thickness in Å, over a substrate of infinite thickness.
class LayerTable : public QWidget {
    Q_OBJECT
public:
    // The layers read from the table: the materials, the substrate last,
    // and the n layers' thicknesses.
    struct Stack {
        std::vector<MaterialInputs> materials;
        std::vector<double> thicknesses; // Å
    };

    LayerTable(const MaterialStore& store, QWidget* parent = nullptr);

    // Fills every material list afresh from the database, keeping the choices.
    void reloadMaterials();
    // Replaces the layers by these (name, thickness as typed) and the substrate.
    void setLayers(const std::vector<std::pair<QString, QString>>& layers, const QString& substrate);
    // The stack with each material's Nv of the ticked groups, or why there
    // is none in tpp2m's words, the layer named.
    Result<Stack> stack(const ValenceTicks& groups) const;

signals:
    void changed();

private:
    void addLayer(const QString& material, const QString& thickness);
    void removeLayer();
    QComboBox* materialList(const QString& chosen);
    Result<MaterialInputs> materialNamed(const QString& typed, const ValenceTicks& groups) const;

    const MaterialStore& store_;
    QTableWidget* layers_;
    QComboBox* cboSubstrate_;
};

} // namespace korvane::ui
