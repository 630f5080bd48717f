#pragma once

#include "calc/ImfpCalculator.h"
#include "core/Result.h"
#include "materials/model/Material.h"
#include "materials/model/MaterialValidation.h"
#include "query/ValenceGroups.h"

#include <QObject>

#include <optional>

namespace korvane::ui {

// The main window's current state as values: the material as typed, the
// energy, the form of the formula, the ticked valence groups, the editing
// mode and the IMFP the window last computed (or why there is none). The main
// window binds its fields to it; the Tools windows read it, follow `changed`,
// and ask for changes through its commands, which the main window carries
// out on its fields as the user would.
class MainWindowState : public QObject {
    Q_OBJECT
public:
    enum class EditingMode { Browsing, Changing, Adding };

    // The fields whose text the state holds.
    enum class Field { Name, Density, ValenceElectrons, Mass, BandGap, Energy };

    // The include boxes of the valence groups.
    using TickedGroups = ValenceTicks;

    // The IMFP (Å), or why there is none as a sentence for the user, of a
    // kind the window acts on: the formula gives no physical value
    // (NoPhysicalValue), a value is not a number (InvalidInput) or missing
    // (NotFound), or anything else, nothing computed yet included (Failed).
    using Imfp = Result<float>;

    explicit MainWindowState(QObject* parent = nullptr);

    // The values as they stand
    QString text(Field field) const;
    // The name, density, Nv, mass and band gap as typed, for the checks of a save.
    MaterialTexts materialTexts() const;
    std::optional<float> number(Field field) const;
    ImfpForm form() const { return form_; }
    TickedGroups tickedGroups() const { return ticked_; }
    EditingMode editingMode() const { return mode_; }
    // The ID of the stored record shown; none while a new material is added.
    std::optional<qint64> savedId() const { return savedId_; }
    // The one current material every window works with: the typed name with
    // the ID of the record being shown or changed (none while adding).
    Material currentMaterial() const;
    // The IMFP last computed from the values, with no value after any failure.
    const Imfp& imfp() const { return imfp_; }
    // The IMFP of another material at an energy (eV), with the ticked groups
    // and the chosen form.
    Imfp imfpOf(const Material& material, float energy) const;

    // Set by the main window as its fields change
    void setText(Field field, const QString& text);
    void setForm(ImfpForm form);
    void setTickedGroups(TickedGroups ticked);
    void setEditingMode(EditingMode mode);
    void setSavedId(std::optional<qint64> id);
    // Computes the IMFP from the density, Nv, mass, band gap and energy as
    // they stand, and keeps it, or forgets the one before when it fails.
    const Imfp& recalculateImfp();

    // Commands of the Tools windows, carried out by the main window
    // Puts an energy (eV) into the energy box.
    void useEnergy(double energy);
    // Starts a new material as "New Material" does, unless a material is
    // already being changed or added; true when one is being edited then.
    bool beginAdding();
    // Takes the sums of a formula into the material being edited: Nv into
    // the f group (the other groups emptied), the mass, and the formula as
    // the name while the name is still the placeholder or empty.
    void applySums(const QString& formula, float valenceElectrons, float mass);
    // Puts a transport cross-section (a0^2) into approximation 2's field.
    void useTransportCrossSection(double a0Squared);

signals:
    // After any value changed.
    void changed();
    // The commands, for the main window.
    void energyRequested(double energy);
    void addingRequested();
    void sumsRequested(const QString& formula, float valenceElectrons, float mass);
    void transportCrossSectionRequested(double a0Squared);

private:
    QString texts_[6];
    ImfpForm form_ = ImfpForm::NonRelativistic;
    TickedGroups ticked_;
    EditingMode mode_ = EditingMode::Browsing;
    std::optional<qint64> savedId_;
    Imfp imfp_ = Failed{"No IMFP has been computed yet."};
};

// The sentence that says the formula gives no physical IMFP.
QString noPhysicalImfpSentence();

} // namespace korvane::ui
