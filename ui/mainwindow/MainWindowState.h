#pragma once

#include "calc/ImfpCalculator.h"
#include "core/Result.h"
#include "materials/model/Material.h"
#include "query/ImfpEvaluation.h"
#include "query/ValenceGroups.h"

#include <QFlags>
#include <QObject>

#include <optional>

namespace korvane::ui {

// The main window's current state as values: the material's name and
// numbers, the energy or why there is none, the form of the formula, the
// ticked valence groups, the editing mode, and the IMFP computed from them
// (or why there is none). The main window gives it what its fields hold; the
// state reads the numbers once, recomputes the IMFP itself and, after
// everything is recomputed, says once per user action which values changed.
// The Tools windows read it, follow `changed`, and ask for changes through its
// commands, which the main window carries out on its fields as the user would.
class MainWindowState : public QObject {
    Q_OBJECT
public:
    enum class EditingMode { Browsing, Changing, Adding };

    // The fields whose values the state holds.
    enum class Field { Name, Density, ValenceElectrons, Mass, BandGap, Energy };

    // What changed in one user action.
    enum class Change {
        Material = 1, // the name, a number, or the stored record shown
        Energy = 2,   // the energy or why there is none
        Form = 4,     // relativistic or not
        Groups = 8,   // the ticked valence groups
        EditingMode = 16,
        Imfp = 32, // the IMFP or why there is none
    };
    Q_DECLARE_FLAGS(Changes, Change)

    // The material as typed: its name and its numbers (Nv of the ticked
    // groups), none where its field holds no number.
    struct MaterialNumbers {
        QString name;
        MaterialValues values;
        bool bandGapBlank = false; // a save takes a blank band gap for 0
        bool operator==(const MaterialNumbers&) const = default;
    };

    // An energy that is a number: its value (eV), as a Double and as the
    // Single the IMFP is formed from, and as the user wrote it, for showing.
    struct Energy {
        double eV = 0;
        float single = 0;
        QString written;
        bool operator==(const Energy&) const = default;
    };

    // The IMFP (Å), or why there is none as a sentence for the user, of a
    // kind the window acts on: the formula gives no physical value
    // (NoPhysicalValue), a value is not a number (InvalidInput) or missing
    // (NotFound), the energy is out of range (OutOfRange), or anything else,
    // nothing computed yet included (Failed). A refused energy gives its own
    // words.
    using Imfp = Result<float>;

    // The changes made while one lives are told once, when the outermost
    // ends; every setter opens one of its own.
    class ChangeScope {
    public:
        explicit ChangeScope(MainWindowState& state);
        ~ChangeScope();
        ChangeScope(const ChangeScope&) = delete;
        ChangeScope& operator=(const ChangeScope&) = delete;

    private:
        MainWindowState& state_;
    };

    explicit MainWindowState(QObject* parent = nullptr);

    // The values as they stand
    const MaterialNumbers& material() const { return values_.material; }
    // The energy, or why there is none in tpp2m's words ("energy: "1000x" is
    // not a number", "... is out of range").
    const Result<Energy>& energy() const { return values_.energy; }
    ImfpForm form() const { return values_.form; }
    ValenceTicks valenceTicks() const { return values_.ticked; }
    EditingMode editingMode() const { return values_.mode; }
    // The ID of the stored record shown; none while a new material is added.
    std::optional<qint64> savedId() const { return values_.savedId; }
    // The one current material every window works with: the typed name with
    // the ID of the record being shown or changed (none while adding).
    Material currentMaterial() const;
    // The IMFP of the values as they stand, with no value after any failure.
    const Imfp& imfp() const { return values_.imfp; }
    // The IMFP of another material at an energy (eV), with the ticked groups
    // and the chosen form.
    Imfp imfpOf(const Material& material, float energy) const;

    // Set by the main window as its fields change; each reads the field's
    // text once and keeps the value.
    void setText(Field field, const QString& text);
    void setForm(ImfpForm form);
    void setValenceTicks(ValenceTicks ticked);
    void setEditingMode(EditingMode mode);
    void setSavedId(std::optional<qint64> id);

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
    // Once per user action that changed a value, after the IMFP is
    // recomputed: `what` names every value that changed.
    void changed(korvane::ui::MainWindowState::Changes what);
    // The commands, for the main window.
    void energyRequested(double energy);
    void addingRequested();
    void sumsRequested(const QString& formula, float valenceElectrons, float mass);
    void transportCrossSectionRequested(double a0Squared);

private:
    // Everything the state tells of, to compare before and after an action.
    struct Values {
        MaterialNumbers material;
        std::optional<qint64> savedId;
        Result<Energy> energy = Failed{};
        ImfpForm form = ImfpForm::NonRelativistic;
        ValenceTicks ticked;
        EditingMode mode = EditingMode::Browsing;
        Imfp imfp = Failed{"No IMFP has been computed yet."};
    };
    // Tells what differs from `before`, if anything.
    void tellChangesSince(const Values& before);
    void recomputeImfp();

    Values values_;
    std::optional<Values> before_; // as they were when the outermost scope began
    int scopes_ = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(MainWindowState::Changes)

// The sentence that says the formula gives no physical IMFP.
QString noPhysicalImfpSentence();

} // namespace korvane::ui
