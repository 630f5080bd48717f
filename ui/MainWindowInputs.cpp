#include "ui/MainWindowInputs.h"

#include "materials/NumberText.h"
#include "materials/ValenceGroups.h"
#include "ui/Form1Controls.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace korvane::ui {

namespace {

MainWindowInputs::Imfp imfpFrom(const ImfpInputs& inputs, ImfpForm form)
{
    const ImfpResult result = imfp(form, inputs);
    if (result.length)
        return {result.length, {}};
    if (result.failure == ImfpFailure::NotPhysical)
        return {std::nullopt, QStringLiteral("The formula gives no physical IMFP for these values.")};
    return {std::nullopt, QStringLiteral("The TPP-2M formula gives no IMFP for this material and energy.")};
}

} // namespace

MainWindowInputs::MainWindowInputs(const Form1Controls& mainWindow, QObject* parent)
    : QObject(parent), txtElectronEnergy_(mainWindow.txtElectronEnergy), Opt_relativistic_(mainWindow.Opt_relativistic),
      txtName_(mainWindow.txtName), txtBulkDensity_(mainWindow.txtBulkDensity),
      txtAtomicMass_(mainWindow.txtAtomicMass), txtEnergyGap_(mainWindow.txtEnergyGap),
      txtNoValenceElectrprAtomorMolec_(mainWindow.txtNoValenceElectrprAtomorMolec),
      chk_S_P_hbe_(mainWindow.chk_S_P_hbe), chk_S_P_lbe_(mainWindow.chk_S_P_lbe), chk_d_(mainWindow.chk_d),
      chk_f_(mainWindow.chk_f)
{
    for (QLineEdit* field : {txtElectronEnergy_, txtName_, txtBulkDensity_, txtAtomicMass_, txtEnergyGap_,
                             txtNoValenceElectrprAtomorMolec_})
        connect(field, &QLineEdit::textChanged, this, &MainWindowInputs::changed);
    connect(Opt_relativistic_, &QRadioButton::toggled, this, &MainWindowInputs::changed);
}

QString MainWindowInputs::materialName() const
{
    return txtName_->text();
}

QString MainWindowInputs::energyText() const
{
    return txtElectronEnergy_->text();
}

ImfpForm MainWindowInputs::form() const
{
    return Opt_relativistic_->isChecked() ? ImfpForm::Relativistic : ImfpForm::NonRelativistic;
}

MaterialTexts MainWindowInputs::materialTexts() const
{
    return {txtName_->text(), txtBulkDensity_->text(), txtNoValenceElectrprAtomorMolec_->text(), txtAtomicMass_->text(),
            txtEnergyGap_->text()};
}

std::optional<float> MainWindowInputs::density() const
{
    return numbertext::toSingle(txtBulkDensity_->text());
}

std::optional<float> MainWindowInputs::mass() const
{
    return numbertext::toSingle(txtAtomicMass_->text());
}

MainWindowInputs::Imfp MainWindowInputs::imfp() const
{
    // The same five fields, read the same way, as the main window's own IMFP.
    ImfpInputs inputs;
    const std::pair<QLineEdit*, float*> fields[] = {
        {txtBulkDensity_, &inputs.density},   {txtNoValenceElectrprAtomorMolec_, &inputs.valenceElectrons},
        {txtAtomicMass_, &inputs.mass},       {txtEnergyGap_, &inputs.bandGap},
        {txtElectronEnergy_, &inputs.energy},
    };
    for (const auto& [box, value] : fields) {
        const std::optional<float> number = numbertext::toSingle(box->text());
        if (!number)
            return {std::nullopt, QStringLiteral("The main window's material or energy is not a number.")};
        *value = *number;
    }
    return imfpFrom(inputs, form());
}

MainWindowInputs::Imfp MainWindowInputs::imfpOf(const Material& material, float energy) const
{
    const ValenceGroups groups = ValenceGroups::shownFor(material, chk_S_P_hbe_->isChecked(), chk_S_P_lbe_->isChecked(),
                                                         chk_d_->isChecked(), chk_f_->isChecked());
    const std::optional<float> total = groups.total();
    if (!material.density || !material.atomicWeight || !material.energyGap || !total)
        return {std::nullopt, QStringLiteral("%1 lacks a value the IMFP needs.").arg(material.name)};
    return imfpFrom({*material.density, *total, *material.atomicWeight, *material.energyGap, energy}, form());
}

} // namespace korvane::ui
