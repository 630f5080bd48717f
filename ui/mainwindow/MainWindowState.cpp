#include "ui/mainwindow/MainWindowState.h"

#include "calc/VectorState.h"
#include "materials/model/ShownValenceGroups.h"
#include "presentation/LocaleNumberText.h"
#include "presentation/ResultText.h"
#include "query/ImfpEvaluation.h"
#include "query/TypedNumber.h"
#include "query/TypedNumberWords.h"

#include <QLocale>

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

// The same value, or the same failure.
template <typename T>
bool same(const Result<T>& a, const Result<T>& b)
{
    if (a && b)
        return *a == *b;
    return !a && !b && a.error() == b.error() && a.code() == b.code();
}

// The energy box's text read once: a number the IMFP can be formed from, or
// why not in tpp2m's words. A number written in the user's locale that no
// Single holds is out of range, as tpp2m says of it.
Result<MainWindowState::Energy> readEnergy(const QString& text)
{
    const std::string input = "energy";
    const std::optional<double> value = numbertext::toDouble(text);
    const std::optional<float> single = numbertext::toSingle(text);
    if (value && single)
        return MainWindowState::Energy{*value, *single, text.trimmed()};
    QString plain = text;
    plain.replace(QLocale().decimalPoint(), QStringLiteral("."));
    const bool tooLarge = value || readTypedSingle(input, plain.toStdString()).code() == ErrorCode::OutOfRange;
    const std::string words = tooLarge ? outOfRange(input, text.toStdString()) : notANumber(input, text.toStdString());
    return Failed{words, tooLarge ? ErrorCode::OutOfRange : ErrorCode::InvalidInput};
}

} // namespace

QString noPhysicalImfpSentence()
{
    QString sentence = QString::fromLatin1(kNoPhysicalImfp);
    sentence[0] = sentence[0].toUpper();
    return sentence + u'.';
}

MainWindowState::ChangeScope::ChangeScope(MainWindowState& state) : state_(state)
{
    if (state_.scopes_++ == 0)
        state_.before_ = state_.values_;
}

MainWindowState::ChangeScope::~ChangeScope()
{
    if (--state_.scopes_ > 0)
        return;
    const Values before = std::move(*state_.before_);
    state_.before_.reset();
    state_.tellChangesSince(before);
}

MainWindowState::MainWindowState(QObject* parent) : QObject(parent)
{
    values_.energy = readEnergy(QString());
}

Material MainWindowState::currentMaterial() const
{
    Material material;
    material.id = values_.savedId.value_or(0);
    material.name = values_.material.name;
    return material;
}

MainWindowState::Imfp MainWindowState::imfpOf(const Material& material, float energy) const
{
    const ValenceTicks& ticked = values_.ticked;
    const ShownValenceGroups groups = ShownValenceGroups::shownFor(material, ticked.spHbe, ticked.spLbe, ticked.d, ticked.f);
    const std::optional<float> total = groups.total();
    if (!material.density || !material.atomicWeight || !material.energyGap || !total)
        return failed(QStringLiteral("%1 lacks a value the IMFP needs.").arg(material.name), ErrorCode::NotFound);
    return imfpFrom({*material.density, *total, *material.atomicWeight, *material.energyGap, energy}, values_.form);
}

void MainWindowState::setText(Field field, const QString& text)
{
    const ChangeScope scope(*this);
    MaterialNumbers& material = values_.material;
    switch (field) {
    case Field::Name: material.name = text; return; // the IMFP is not of the name
    case Field::Density: material.values.density = numbertext::toSingle(text); break;
    case Field::ValenceElectrons: material.values.valenceElectrons = numbertext::toSingle(text); break;
    case Field::Mass: material.values.mass = numbertext::toSingle(text); break;
    case Field::BandGap:
        material.values.bandGap = numbertext::toSingle(text);
        material.bandGapBlank = QString(text).remove(u' ').isEmpty();
        break;
    case Field::Energy: values_.energy = readEnergy(text); break;
    }
    recomputeImfp();
}

void MainWindowState::setForm(ImfpForm form)
{
    const ChangeScope scope(*this);
    values_.form = form;
    recomputeImfp();
}

void MainWindowState::setValenceTicks(ValenceTicks ticked)
{
    const ChangeScope scope(*this);
    values_.ticked = ticked;
}

void MainWindowState::setEditingMode(EditingMode mode)
{
    const ChangeScope scope(*this);
    values_.mode = mode;
}

void MainWindowState::setSavedId(std::optional<qint64> id)
{
    const ChangeScope scope(*this);
    values_.savedId = id;
}

void MainWindowState::tellChangesSince(const Values& before)
{
    const Values& now = values_;
    Changes what;
    if (!(before.material == now.material) || before.savedId != now.savedId)
        what |= Change::Material;
    if (!same(before.energy, now.energy))
        what |= Change::Energy;
    if (before.form != now.form)
        what |= Change::Form;
    if (!(before.ticked == now.ticked))
        what |= Change::Groups;
    if (before.mode != now.mode)
        what |= Change::EditingMode;
    if (!same(before.imfp, now.imfp))
        what |= Change::Imfp;
    if (what)
        emit changed(what);
}

// The one reading of the five numbers the IMFP is formed from.
void MainWindowState::recomputeImfp()
{
    clearUpperVectorState();
    const MaterialValues& m = values_.material.values;
    const Result<Energy>& energy = values_.energy;
    if (!m.density || !m.valenceElectrons || !m.mass || !m.bandGap) {
        values_.imfp = failed(QStringLiteral("The main window's material or energy is not a number."),
                              ErrorCode::InvalidInput);
        return;
    }
    if (!energy) {
        values_.imfp = energy.failure();
        return;
    }
    values_.imfp = imfpFrom({*m.density, *m.valenceElectrons, *m.mass, *m.bandGap, energy->single}, values_.form);
}

void MainWindowState::useEnergy(double energy)
{
    emit energyRequested(energy);
}

bool MainWindowState::beginAdding()
{
    if (values_.mode == EditingMode::Browsing)
        emit addingRequested();
    return values_.mode != EditingMode::Browsing;
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
