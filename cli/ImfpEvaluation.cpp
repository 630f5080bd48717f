#include "cli/ImfpEvaluation.h"

namespace korvane::cli {

std::vector<ImfpForm> formsToCompute(Forms forms)
{
    switch (forms) {
    case Forms::NonRelativistic: return {ImfpForm::NonRelativistic};
    case Forms::Relativistic: return {ImfpForm::Relativistic};
    case Forms::Both: break;
    }
    return {ImfpForm::NonRelativistic, ImfpForm::Relativistic};
}

} // namespace korvane::cli
