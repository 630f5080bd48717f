#include "web/PageStack.h"

#include "calc/ImfpCalculator.h"
#include "calc/StackedSignal.h"
#include "calc/ValidEnergyRange.h"
#include "lines/PhotoelectronLine.h"
#include "query/CompositionTransport.h"
#include "query/ElementAtoms.h"
#include "query/ImfpEvaluation.h"
#include "query/KineticEnergy.h"
#include "query/RequestReader.h"
#include "web/PageInputs.h"
#include "web/PageMaterial.h"

#include <algorithm>

namespace korvane::page {

namespace {

// The inputs of the layered sample, by tpp2m stack's option names.
constexpr std::initializer_list<const char*> kStackInputs = {"layer", "substrate", "energy", "line", "source",
                                                              "photon-energy", "angle", "relativistic"};

// A line of a row: its name, the photons' name and its binding energy.
struct StackLine {
    std::string name;   // "Si 2p3/2"
    std::string source; // "Al Kα", or the photon energy given ("500 eV")
    float bindingEnergy = 0;
    int atomicNumber = 0;
    std::string element;
};

// A layer's material as a row of the database.
struct StackMaterial {
    std::string name;
    PageMaterial row;
};

// Atoms of element Z per Å^3 in a material of the database.
Result<double> atomsPerCubicAngstrom(const PageMaterial& material, int atomicNumber)
{
    const Result<std::vector<FormulaAtom>> atoms = rowAtoms(material.id.value_or(0), material.name);
    if (!atoms)
        return atoms.failure();
    return korvane::atomsPerCubicAngstrom(*atoms, material.values, atomicNumber);
}

class StackEvaluation {
public:
    explicit StackEvaluation(const PageQuery& query) : query_(query), reader_({.stack = true, .asker = "the layered sample"}, pageSpelling) {}

    PageTable run()
    {
        table_.columns = {"layer", "material", "thickness_A", "energy_eV", "form", "angle_deg",
                          "model", "imfp_A", "signal_A", "signal_sd_A", "error"};
        if (query_.values("layer").empty() && !query_.typed("substrate"))
            return std::move(table_);
        if (!read())
            return std::move(table_);
        const Request& request = reader_.request();
        std::vector<StackMaterial> materials;
        for (const RequestedLayer& layer : request.layers)
            if (!addMaterial(materials, layer.material.text))
                return std::move(table_);
        if (!addMaterial(materials, *request.substrate))
            return std::move(table_);
        if (!lines_.empty())
            for (const char* column : {"line", "source", "binding_energy_eV", "element", "atoms_per_A3", "intensity",
                                       "intensity_sd"})
                table_.columns.push_back(column);
        if (std::any_of(request.energies.begin(), request.energies.end(), outsideValidEnergyRange))
            table_.notes.push_back(kOutsideValidEnergyRangeNote);
        std::vector<double> thicknesses;
        for (const RequestedLayer& layer : request.layers)
            thicknesses.push_back(layer.thickness);
        const ImfpForm form = formsToCompute(request.forms).front();
        for (std::size_t e = 0; e < request.energies.size(); ++e)
            addRows(materials, thicknesses, request.energies[e], form, e < lines_.size() ? lines_[e] : std::nullopt);
        return std::move(table_);
    }

private:
    bool refused(const Result<void>& step)
    {
        if (!step)
            table_.errors.push_back(step.error());
        return !step;
    }

    // Every input, the photons, each line's kinetic energy in its place
    // among the energies, then the stack as tpp2m judges it.
    bool read()
    {
        for (const NamedText& input : pageInputs(query_, kStackInputs))
            if (refused(reader_.read(input)))
                return false;
        if (refused(reader_.judgePhotons()))
            return false;
        Request& request = reader_.request();
        if (!request.lines.empty())
            lines_.resize(request.energies.size());
        for (const RequestedLine& line : request.lines) {
            std::optional<StackLine> found = lineOf(line.text, request.photons);
            if (!found)
                return false;
            request.energies[line.energyIndex] = kinetic_;
            lines_[line.energyIndex] = std::move(found);
        }
        return !refused(reader_.judgeStack());
    }

    // The line typed, with its kinetic energy in kinetic_, or none with why.
    std::optional<StackLine> lineOf(const std::string& typed, const RequestedPhotons& photons)
    {
        const Result<lines::PhotoelectronLine> found = lines::findLine(typed);
        const double photonEnergy =
            photons.photonEnergy ? *photons.photonEnergy : (*sourceOfKey(*photons.sourceKey))->photonEnergy;
        const Result<double> kinetic = found ? kineticEnergy(found->bindingEnergy, photonEnergy) : found.failure();
        if (!kinetic) {
            table_.errors.push_back(pageSpelling("line") + " \"" + typed + "\": " + kinetic.error());
            return std::nullopt;
        }
        kinetic_ = static_cast<float>(*kinetic);
        return StackLine{found->name(),
                         photons.photonEnergy ? electronVolts(*photons.photonEnergy)
                                              : std::string((*sourceOfKey(*photons.sourceKey))->name),
                         static_cast<float>(found->bindingEnergy), found->atomicNumber, found->element};
    }

    bool addMaterial(std::vector<StackMaterial>& materials, const std::string& typed)
    {
        Result<PageMaterial> row = rowOfName(query_, typed, reader_.request().groups);
        if (!row) {
            table_.errors.push_back(row.error());
            return false;
        }
        const std::string name = row->name.empty() ? typed : row->name;
        materials.push_back({name, std::move(*row)});
        return true;
    }

    void addRows(const std::vector<StackMaterial>& materials, const std::vector<double>& thicknesses, float energy,
                 ImfpForm form, const std::optional<StackLine>& line)
    {
        std::vector<Result<float>> imfps;
        std::vector<double> known;
        std::string error;
        for (std::size_t k = 0; k < materials.size(); ++k) {
            imfps.push_back(evaluateImfp(materials[k].row.values, energy, form));
            if (imfps.back())
                known.push_back(*imfps.back());
            else if (error.empty())
                error = "no IMFP for layer " + std::to_string(k + 1) + " (" + materials[k].name + "): " + imfps.back().error();
        }
        for (const double angle : reader_.request().angles) {
            const std::vector<double> signals = error.empty() ? straightLineSignals(known, thicknesses, angle)
                                                              : std::vector<double>();
            for (std::size_t k = 0; k < materials.size(); ++k) {
                const bool substrate = k == thicknesses.size();
                const bool counted = !signals.empty();
                std::vector<TableCell> row = {
                    TableCell::ofInteger(static_cast<long long>(k + 1)),
                    TableCell::ofText(materials[k].name),
                    substrate ? TableCell::empty() : TableCell::ofSingle(float(thicknesses[k]), 2),
                    TableCell::ofSingle(energy),
                    TableCell::ofText(formName(form)),
                    TableCell::ofSingle(float(angle)),
                    TableCell::ofText("sla"),
                    imfps[k] ? TableCell::ofSingle(*imfps[k], 2) : TableCell::empty(),
                    counted ? TableCell::ofSingle(float(signals[k]), 3) : TableCell::empty(),
                    counted ? TableCell::ofSingle(0.0f, 3) : TableCell::empty(),
                };
                std::string rowError = error;
                if (!lines_.empty())
                    addLineCells(row, rowError, materials[k].row, line, counted ? signals[k] : std::optional<double>());
                row.insert(row.begin() + 10, rowError.empty() ? TableCell::empty() : TableCell::ofText(rowError));
                table_.rows.push_back(std::move(row));
            }
        }
    }

    // The line's cells of a row: none where this energy is no line's.
    static void addLineCells(std::vector<TableCell>& row, std::string& error, const PageMaterial& material,
                             const std::optional<StackLine>& line, std::optional<double> signal)
    {
        if (!line) {
            row.insert(row.end(), 7, TableCell::empty());
            return;
        }
        const Result<double> atoms = atomsPerCubicAngstrom(material, line->atomicNumber);
        if (!atoms && error.empty())
            error = atoms.error();
        row.push_back(TableCell::ofText(line->name));
        row.push_back(TableCell::ofText(line->source));
        row.push_back(TableCell::ofSingle(line->bindingEnergy));
        row.push_back(TableCell::ofText(line->element));
        row.push_back(atoms ? TableCell::ofSingleWithExponent(float(*atoms)) : TableCell::empty());
        row.push_back(atoms && signal ? TableCell::ofSingleWithExponent(float(*atoms * *signal)) : TableCell::empty());
        row.push_back(atoms && signal ? TableCell::ofSingleWithExponent(0.0f) : TableCell::empty());
    }

    const PageQuery& query_;
    RequestReader reader_;
    PageTable table_;
    std::vector<std::optional<StackLine>> lines_; // the line of each energy, if any
    float kinetic_ = 0;                           // the last line's kinetic energy, eV
};

} // namespace

PageTable pageStack(const PageQuery& query)
{
    return StackEvaluation(query).run();
}

} // namespace korvane::page
