#include "query/Request.h"

namespace korvane {

std::vector<ImfpForm> formsToCompute(RequestedForms forms)
{
    switch (forms) {
    case RequestedForms::NonRelativistic: return {ImfpForm::NonRelativistic};
    case RequestedForms::Relativistic: return {ImfpForm::Relativistic};
    case RequestedForms::Both: break;
    }
    return {ImfpForm::NonRelativistic, ImfpForm::Relativistic};
}

SimulationSettings simulationSettings(const Request& request, double angle)
{
    return {.angle = angle,
            .emission = {request.asymmetry, request.sourceAngle},
            .electrons = request.electrons,
            .seed = request.seed,
            .threads = request.threads,
            .step = request.step,
            .cancel = nullptr,
            .progress = {}};
}

} // namespace korvane
