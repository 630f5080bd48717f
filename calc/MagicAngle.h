#pragma once

namespace korvane {

// The magic angle, arccos(1/sqrt 3) in degrees: between the X-ray source and
// the analyser, the dipole distribution of the photoelectrons gives every
// level the same intensity whatever its asymmetry parameter.
inline constexpr double kMagicAngle = 54.735610317245345684622999669981;

} // namespace korvane
