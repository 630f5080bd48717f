#pragma once

#include <QString>

#include <array>

// The fixed explanatory texts of the program. Lines break with carriage
// return and line feed; no text ends with a line break.
namespace korvane::ui::infotexts {

// The "Information" panel: title, the two TPP-2M papers, legal notice.
QString information();

// The "Users' Guide" panel.
QString usersGuide();

// The "Accuracy" panel.
QString accuracy();

// The overlay behind the "Info" and "Understand the XPS intensity" buttons.
QString elasticScattering();

// The overlay behind the "Example" button.
QString workedExamples();

// The eight lines of the About box, one per text box.
std::array<QString, 8> aboutLines();

} // namespace korvane::ui::infotexts
