#include "ui/tools/depth/OverlayerTab.h"

#include "calc/OverlayerThickness.h"
#include "materials/store/MaterialStore.h"
#include "presentation/LocaleNumberText.h"
#include "presentation/ResultText.h"
#include "ui/common/ShownNumbers.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/tools/StateFollower.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace korvane::ui {

namespace {

QLineEdit* box(QWidget* parent, const char* name, const QString& text = {})
{
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QLatin1String(name));
    return field;
}

// A result: read-only, and passed over by Tab; a click still selects it for copying.
QLineEdit* resultBox(QWidget* parent, const char* name)
{
    QLineEdit* field = box(parent, name);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);
    return field;
}

// The usual substrate under a layer, else the first material that is not the overlayer.
void chooseStartingSubstrate(QComboBox* substrate, const QString& overlayer)
{
    substrate->setCurrentText(QStringLiteral("Si"));
    for (int i = 0; i < substrate->count() && substrate->currentText() == overlayer; ++i)
        substrate->setCurrentIndex(i);
}

QComboBox* materialList(QWidget* parent, const char* name)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    return list;
}

// A message of the physics as a sentence of the window.
QString sentence(const std::string& text)
{
    QString line = QString::fromStdString(text);
    if (!line.isEmpty())
        line[0] = line[0].toUpper();
    return line + u'.';
}

} // namespace

OverlayerTab::OverlayerTab(const MainWindowState& source, const MaterialStore& store, QWidget* parent)
    : QWidget(parent), source_(source), store_(store)
{
    setObjectName(QStringLiteral("tabOverlayer"));
    // Made in the order of the screen, which Tab follows.
    // Both peaks start at the main window's energy.
    const QString energy = source.energy() ? numbertext::shortest15(source.energy()->eV) : QString();
    cboOverlayer_ = materialList(this, "cboOverlayer");
    txtOverlayerEnergy_ = box(this, "txtOverlayerEnergy", energy);
    cboSubstrate_ = materialList(this, "cboSubstrate");
    txtSubstrateEnergy_ = box(this, "txtSubstrateEnergy", energy);
    txtRatio_ = box(this, "txtRatio", QStringLiteral("1"));
    txtBulkRatio_ = box(this, "txtBulkRatio", QStringLiteral("1"));
    txtOverlayerAngle_ = box(this, "txtOverlayerAngle", QStringLiteral("0"));
    txtImfpOverlayer_ = resultBox(this, "txtImfpOverlayer");
    txtImfpSubstrateInOverlayer_ = resultBox(this, "txtImfpSubstrateInOverlayer");
    txtThickness_ = resultBox(this, "txtThickness");
    txtRatioBack_ = resultBox(this, "txtRatioBack");
    lblThicknessMessage_ = new QLabel(this);
    lblThicknessMessage_->setObjectName(QStringLiteral("lblThicknessMessage"));
    lblThicknessMessage_->setWordWrap(true);

    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Overlayer:"), cboOverlayer_);
    layout->addRow(QStringLiteral("Kinetic energy of the overlayer peak [eV]:"), txtOverlayerEnergy_);
    layout->addRow(QStringLiteral("Substrate:"), cboSubstrate_);
    layout->addRow(QStringLiteral("Kinetic energy of the substrate peak [eV]:"), txtSubstrateEnergy_);
    layout->addRow(QStringLiteral("Measured ratio R = I overlayer / I substrate:"), txtRatio_);
    layout->addRow(QStringLiteral("Bulk ratio R\u221E of the two pure materials:"), txtBulkRatio_);
    layout->addRow(QStringLiteral("Angle from the surface normal [°]:"), txtOverlayerAngle_);
    layout->addRow(QStringLiteral("IMFP in the overlayer, overlayer peak:"), txtImfpOverlayer_);
    layout->addRow(QStringLiteral("IMFP in the overlayer, substrate peak:"), txtImfpSubstrateInOverlayer_);
    layout->addRow(QStringLiteral("Overlayer thickness d:"), txtThickness_);
    layout->addRow(QStringLiteral("Ratio R back from d:"), txtRatioBack_);
    layout->addRow(lblThicknessMessage_);

    reloadMaterials();
    followMainWindowMaterial();
    chooseStartingSubstrate(cboSubstrate_, cboOverlayer_->currentText());
    for (QComboBox* list : {cboOverlayer_, cboSubstrate_})
        connect(list, &QComboBox::currentIndexChanged, this, &OverlayerTab::recalculate);
    for (QLineEdit* field : {txtOverlayerEnergy_, txtSubstrateEnergy_, txtRatio_, txtBulkRatio_, txtOverlayerAngle_})
        connect(field, &QLineEdit::textChanged, this, &OverlayerTab::recalculate);
    // The overlayer's IMFPs are formed with the main window's groups and form.
    using Change = MainWindowState::Change;
    new StateFollower(source_, Change::Material | Change::Form | Change::Groups, this, [this] {
        followMainWindowMaterial();
        recalculate();
    });
    recalculate();
}

// The overlayer is the main window's material whenever the main window moves
// to another; between moves the user may choose another one.
void OverlayerTab::followMainWindowMaterial()
{
    const QString name = source_.material().name;
    if (name == followedName_)
        return;
    followedName_ = name;
    const QSignalBlocker quiet(cboOverlayer_);
    cboOverlayer_->setCurrentText(name);
}

void OverlayerTab::reloadMaterials()
{
    for (QComboBox* list : {cboOverlayer_, cboSubstrate_}) {
        const QSignalBlocker quiet(list);
        const QString chosen = list->currentText();
        list->clear();
        for (int i = 0; i < store_.storedRowCount(); ++i)
            list->addItem(store_.row(i).name, i);
        list->setCurrentText(chosen);
    }
    recalculate();
}

void OverlayerTab::clearResults()
{
    for (QLineEdit* field : {txtImfpOverlayer_, txtImfpSubstrateInOverlayer_, txtThickness_, txtRatioBack_})
        field->clear();
}

void OverlayerTab::recalculate()
{
    clearResults();
    const auto message = [this](const QString& text) { lblThicknessMessage_->setText(text); };
    if (cboOverlayer_->currentIndex() < 0 || cboSubstrate_->currentIndex() < 0)
        return message(QStringLiteral("Choose the overlayer and the substrate."));
    const std::optional<float> overlayerEnergy = numbertext::toSingle(txtOverlayerEnergy_->text());
    const std::optional<float> substrateEnergy = numbertext::toSingle(txtSubstrateEnergy_->text());
    const std::optional<double> ratio = numbertext::toDouble(txtRatio_->text());
    const std::optional<double> bulkRatio = numbertext::toDouble(txtBulkRatio_->text());
    const std::optional<double> angle = numbertext::toDouble(txtOverlayerAngle_->text());
    if (!overlayerEnergy || !substrateEnergy || !ratio || !bulkRatio || !angle)
        return message(QStringLiteral("The energies, R, R\u221E and the angle must be numbers."));

    // Both peaks' electrons travel through the overlayer.
    const Material overlayer = store_.row(cboOverlayer_->currentData().toInt());
    const MainWindowState::Imfp own = source_.imfpOf(overlayer, *overlayerEnergy);
    const MainWindowState::Imfp crossing = source_.imfpOf(overlayer, *substrateEnergy);
    if (!own || !crossing)
        return message(errorText(own ? crossing : own));
    txtImfpOverlayer_->setText(numbertext::length(*own));
    txtImfpSubstrateInOverlayer_->setText(numbertext::length(*crossing));

    const Overlayer layer{*own, *crossing, *angle};
    const Result<double> thickness = overlayerThickness(layer, *ratio, *bulkRatio);
    if (!thickness)
        return message(sentence(thickness.error()));
    txtThickness_->setText(numbertext::length(float(*thickness)));
    const Result<double> back = overlayerRatio(layer, *thickness, *bulkRatio);
    if (!back)
        return message(sentence(back.error()));
    txtRatioBack_->setText(numbertext::shortest(float(*back)));
    message({});
}

} // namespace korvane::ui
