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

} // namespace korvane
