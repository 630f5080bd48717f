#pragma once

#include "core/Result.h"

#include <QString>

// The bridge between the plain-C++ result type and the Qt text of the
// layers above: failing with a QString, and reading the reason as one.
namespace korvane {

// A failure whose words are Qt text.
inline Failed failed(const QString& reason, ErrorCode code = ErrorCode::Failed)
{
    return Failed{reason.toStdString(), code};
}

// The reason a result failed, as Qt text; empty when it succeeded.
template <typename R>
QString errorText(const R& result)
{
    return QString::fromStdString(result.error());
}

} // namespace korvane
