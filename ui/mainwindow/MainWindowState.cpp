#include "ui/mainwindow/MainWindowState.h"

#include "materials/text/NumberText.h"
#include "materials/text/ResultText.h"
#include "materials/model/ValenceGroups.h"
#include "query/ImfpEvaluation.h"

namespace korvane::ui {

namespace {

// The window names the formula's own refusal and says one sentence for
// every other failure.
MainWindowState::Imfp imfpFrom(const ImfpInputs& inputs, ImfpForm form)
{
    Result<float> imfp = evaluateImfp(inputs, form);
    if (imfp)
        return imfp;
    if (imfp.error() == kNoPhysicalImfp)
        return failed(noPhysicalImfpSentence(), ErrorCode::NoPhysicalValue);
    return failed(QStringLiteral("The TPP-2M formula gives no IMFP for this material and energy."));
}

} // namespace

QString noPhysicalImfpSentence()
{
    QString sentence = QString::fromLatin1(kNoPhysicalImfp);
    sentence[0] = sentence[0].toUpper();
    return sentence + u'.';
}

MainWindowState::MainWindowState(QObject* parent) : QObject(parent)
{
}

QString MainWindowState::text(Field field) const
{
    return texts_[int(field)];
}

MaterialTexts MainWindowState::materialTexts() const
{
    return {text(Field::Name), text(Field::Density), text(Field::ValenceElectrons), text(Field::Mass),
            text(Field::BandGap)};
}

std::optional<float> MainWindowState::number(Field field) const
{
    return numbertext::toSingle(text(field));
}

Material MainWindowState::currentMaterial() const
{
    Material material;
    material.id = savedId_.value_or(0);
    material.name = text(Field::Name);
    return material;
}

MainWindowState::Imfp MainWindowState::imfpOf(const Material& material, float energy) const
{
    const ValenceGroups groups = ValenceGroups::shownFor(material, ticked_.spHbe, ticked_.spLbe, ticked_.d, ticked_.f);
    const std::optional<float> total = groups.total();
    if (!material.density || !material.atomicWeight || !material.energyGap || !total)
        return failed(QStringLiteral("%1 lacks a value the IMFP needs.").arg(material.name), ErrorCode::NotFound);
    return imfpFrom({*material.density, *total, *material.atomicWeight, *material.energyGap, energy}, form_);
}

void MainWindowState::setText(Field field, const QString& text)
{
    if (texts_[int(field)] == text)
        return;
    texts_[int(field)] = text;
    emit changed();
}

void MainWindowState::setForm(ImfpForm form)
{
    if (form_ == form)
        return;
    form_ = form;
    emit changed();
}

void MainWindowState::setTickedGroups(TickedGroups ticked)
{
    if (ticked == ticked_)
        return;
    ticked_ = ticked;
    emit changed();
}

void MainWindowState::setEditingMode(EditingMode mode)
{
    if (mode_ == mode)
        return;
    mode_ = mode;
    emit changed();
}

void MainWindowState::setSavedId(std::optional<qint64> id)
{
    if (savedId_ == id)
        return;
    savedId_ = id;
    emit changed();
}

// The one reading of the five numbers the IMFP is formed from.
const MainWindowState::Imfp& MainWindowState::recalculateImfp()
{
    ImfpInputs inputs;
    const std::pair<Field, float*> fields[] = {
        {Field::Density, &inputs.density}, {Field::ValenceElectrons, &inputs.valenceElectrons},
        {Field::Mass, &inputs.mass},       {Field::BandGap, &inputs.bandGap},
        {Field::Energy, &inputs.energy},
    };
    bool numbers = true;
    for (const auto& [field, value] : fields) {
        const std::optional<float> read = number(field);
        numbers = numbers && read;
        if (read)
            *value = *read;
    }
    imfp_ = numbers
        ? imfpFrom(inputs, form_)
        : failed(QStringLiteral("The main window's material or energy is not a number."), ErrorCode::InvalidInput);
    emit changed();
    return imfp_;
}

void MainWindowState::useEnergy(double energy)
{
    emit energyRequested(energy);
}

bool MainWindowState::beginAdding()
{
    if (mode_ == EditingMode::Browsing)
        emit addingRequested();
    return mode_ != EditingMode::Browsing;
}

void MainWindowState::applySums(const QString& formula, float valenceElectrons, float mass)
{
    emit sumsRequested(formula, valenceElectrons, mass);
}

void MainWindowState::useTransportCrossSection(double a0Squared)
{
    emit transportCrossSectionRequested(a0Squared);
}

} // namespace korvane::ui
