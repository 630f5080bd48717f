#include "query/CurveCsv.h"

#include "core/NumberText.h"
#include "core/TableWriter.h"

namespace korvane {

std::string curveCsv(const std::vector<CurveCsvMaterial>& materials, const std::vector<float>& energies,
                     const std::vector<ImfpForm>& forms)
{
    TableWriter csv(TableFormat::Csv, {{"material"}, {"id"}, {"energy_eV"}, {"form"}, {"imfp_A"}, {"error"}});
    std::vector<std::string> formCells;
    for (const ImfpForm form : forms)
        formCells.push_back(csv.encoded(formName(form)));
    for (const CurveCsvMaterial& material : materials) {
        // A name and an ID are the same in every row: encoded once.
        const std::string name = csv.encoded(material.name);
        const std::string id = material.id ? std::to_string(*material.id) : std::string();
        for (const float energy : energies) {
            const std::string energyText = numbers::shortestFixed(energy);
            for (std::size_t f = 0; f < forms.size(); ++f) {
                csv.encodedText(name);
                if (material.id)
                    csv.number(id);
                else
                    csv.empty();
                csv.number(energyText);
                csv.encodedText(formCells[f]);
                const Result<float> imfp = material.imfpAt(energy, forms[f]);
                if (imfp) {
                    csv.number(numbers::shortestFixed(*imfp));
                    csv.empty();
                } else {
                    csv.empty();
                    csv.text(imfp.error());
                }
                csv.endRow(); // in memory: nothing to fail
            }
        }
    }
    return csv.finishedText();
}

} // namespace korvane
