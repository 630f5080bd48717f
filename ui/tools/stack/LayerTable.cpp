#include "ui/tools/stack/LayerTable.h"

#include "lookup/MaterialCatalog.h"
#include "materials/store/MaterialStore.h"
#include "presentation/LocaleNumberText.h"
#include "presentation/ResultText.h"
#include "query/MaterialNotFound.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace korvane::ui {

namespace {

// The thinnest layer tpp2m takes, in Å.
constexpr float kThinnestLayer = 0.01f;

// The file the window's materials come from, as tpp2m names it.
const char* const kDatabaseName = "DataBase/TPP2-data.db";

enum LayerColumn { MaterialColumn, ThicknessColumn };

} // namespace

LayerTable::LayerTable(const MaterialStore& store, QWidget* parent) : QWidget(parent), store_(store)
{
    layers_ = new QTableWidget(0, 2, this);
    layers_->setObjectName(QStringLiteral("tblLayers"));
    layers_->setHorizontalHeaderLabels({QStringLiteral("Material"), QStringLiteral("Thickness (\u00C5)")});
    layers_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    layers_->setSelectionBehavior(QAbstractItemView::SelectRows);
    layers_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Room for four layers; more scroll.
    layers_->setMaximumHeight(4 * layers_->verticalHeader()->defaultSectionSize()
                              + layers_->horizontalHeader()->sizeHint().height() + 2 * layers_->frameWidth());
    auto* cmdAdd = new QPushButton(QStringLiteral("&Add layer"), this);
    cmdAdd->setObjectName(QStringLiteral("cmdAddLayer"));
    auto* cmdRemove = new QPushButton(QStringLiteral("&Remove layer"), this);
    cmdRemove->setObjectName(QStringLiteral("cmdRemoveLayer"));
    cboSubstrate_ = materialList(QString());
    cboSubstrate_->setObjectName(QStringLiteral("cboSubstrate"));

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(layers_, 0, 0, 1, 3);
    layout->addWidget(cmdAdd, 1, 1);
    layout->addWidget(cmdRemove, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Substrate:"), this), 2, 0);
    layout->addWidget(cboSubstrate_, 2, 1, 1, 2);
    layout->setColumnStretch(0, 1);

    connect(cmdAdd, &QPushButton::clicked, this, [this] {
        addLayer(cboSubstrate_->currentText(), QStringLiteral("10"));
        emit changed();
    });
    connect(cmdRemove, &QPushButton::clicked, this, &LayerTable::removeLayer);
}

QComboBox* LayerTable::materialList(const QString& chosen)
{
    auto* list = new QComboBox(this);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    for (int i = 0; i < store_.storedRowCount(); ++i)
        list->addItem(store_.row(i).name);
    list->setCurrentText(chosen);
    connect(list, &QComboBox::currentTextChanged, this, &LayerTable::changed);
    return list;
}

void LayerTable::addLayer(const QString& material, const QString& thickness)
{
    const int row = layers_->rowCount();
    layers_->insertRow(row);
    QComboBox* list = materialList(material);
    list->setObjectName(QStringLiteral("cboLayerMaterial%1").arg(row + 1));
    auto* box = new QLineEdit(thickness, this);
    box->setObjectName(QStringLiteral("txtLayerThickness%1").arg(row + 1));
    box->setAlignment(Qt::AlignRight);
    connect(box, &QLineEdit::textChanged, this, &LayerTable::changed);
    layers_->setCellWidget(row, MaterialColumn, list);
    layers_->setCellWidget(row, ThicknessColumn, box);
}

// Removes the chosen layer, else the lowest; the last layer stays.
void LayerTable::removeLayer()
{
    if (layers_->rowCount() <= 1)
        return;
    const int chosen = layers_->currentRow();
    layers_->removeRow(chosen >= 0 ? chosen : layers_->rowCount() - 1);
    for (int row = 0; row < layers_->rowCount(); ++row) {
        layers_->cellWidget(row, MaterialColumn)->setObjectName(QStringLiteral("cboLayerMaterial%1").arg(row + 1));
        layers_->cellWidget(row, ThicknessColumn)->setObjectName(QStringLiteral("txtLayerThickness%1").arg(row + 1));
    }
    emit changed();
}

void LayerTable::setLayers(const std::vector<std::pair<QString, QString>>& layers, const QString& substrate)
{
    {
        const QSignalBlocker quiet(this);
        layers_->setRowCount(0);
        for (const auto& [material, thickness] : layers)
            addLayer(material, thickness);
        cboSubstrate_->setCurrentText(substrate);
    }
    emit changed();
}

void LayerTable::reloadMaterials()
{
    const QSignalBlocker quiet(this);
    std::vector<QComboBox*> lists{cboSubstrate_};
    for (int row = 0; row < layers_->rowCount(); ++row)
        lists.push_back(static_cast<QComboBox*>(layers_->cellWidget(row, MaterialColumn)));
    for (QComboBox* list : lists) {
        const QSignalBlocker quietList(list);
        const QString chosen = list->currentText();
        list->clear();
        for (int i = 0; i < store_.storedRowCount(); ++i)
            list->addItem(store_.row(i).name);
        list->setCurrentText(chosen);
    }
}

Result<MaterialInputs> LayerTable::materialNamed(const QString& typed, const ValenceTicks& groups) const
{
    const QString name = typed.trimmed();
    QString otherCase;
    for (int i = 0; i < store_.storedRowCount(); ++i) {
        const Material row = store_.row(i);
        if (row.name == name)
            return MaterialInputs{row.name, row.id,
                                  {row.density, row.atomicWeight, row.energyGap, valenceTotal(row, groups)}};
        if (otherCase.isEmpty() && row.name.compare(name, Qt::CaseInsensitive) == 0)
            otherCase = row.name;
    }
    return Failed{noMaterial(name.toStdString(), kDatabaseName, otherCase.toStdString()), ErrorCode::NotFound};
}

Result<LayerTable::Stack> LayerTable::stack(const ValenceTicks& groups) const
{
    Stack found;
    for (int row = 0; row < layers_->rowCount(); ++row) {
        const QString name = static_cast<QComboBox*>(layers_->cellWidget(row, MaterialColumn))->currentText().trimmed();
        const QString typed = static_cast<QLineEdit*>(layers_->cellWidget(row, ThicknessColumn))->text();
        const QString layer = QStringLiteral("layer %1 (%2): ").arg(row + 1).arg(name);
        const std::optional<float> thickness = numbertext::toSingle(typed);
        if (!thickness)
            return failed(layer + QStringLiteral("the thickness is not a number (got \"%1\")").arg(typed),
                          ErrorCode::InvalidInput);
        if (!(*thickness >= kThinnestLayer))
            return failed(layer + QStringLiteral("a layer is at least 0.01 \u00C5 thick (got \"%1\")").arg(typed),
                          ErrorCode::InvalidInput);
        Result<MaterialInputs> material = materialNamed(name, groups);
        if (!material)
            return failed(layer + errorText(material), material.code());
        found.materials.push_back(std::move(*material));
        found.thicknesses.push_back(*thickness);
    }
    Result<MaterialInputs> substrate = materialNamed(cboSubstrate_->currentText(), groups);
    if (!substrate)
        return failed(QStringLiteral("substrate: ") + errorText(substrate), substrate.code());
    found.materials.push_back(std::move(*substrate));
    return found;
}

} // namespace korvane::ui
