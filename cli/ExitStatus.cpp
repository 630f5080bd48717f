#include "cli/ExitStatus.h"

namespace korvane::cli {

ExitStatus exitStatusOf(ErrorCode code)
{
    switch (code) {
    case ErrorCode::NotFound:
    case ErrorCode::Storage:
    case ErrorCode::NoPhysicalValue: return kNotFound;
    case ErrorCode::Failed:
    case ErrorCode::InvalidInput:
    case ErrorCode::OutOfRange:
    case ErrorCode::Ambiguous: break;
    }
    return kBadInput;
}

} // namespace korvane::cli
