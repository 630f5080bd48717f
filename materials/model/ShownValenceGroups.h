#pragma once

#include "materials/model/Material.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace korvane {

// The four valence-electron groups of a material, each as the text of its
// field and whether its include box is ticked. Nv is formed from these texts,
// one decimal each, by the main window, tpp2m, the Python module and the
// import alike, so the rule lives here below all of them.
struct ShownValenceGroups {
    struct Group {
        QString text;
        bool included = false;
    };
    Group spHbe; // s+p, higher binding energy (not ticked by default)
    Group spLbe; // s+p, lower binding energy
    Group d;
    Group f;

    // The text of one group's field: the number with one decimal ("4.0").
    static QString groupText(float value, const QLocale& locale = QLocale());

    // A material's groups as texts of one decimal ("0.0", empty for an empty
    // column), with the given include boxes: the form Nv is formed from.
    static ShownValenceGroups shownFor(const Material& material, bool spHbe, bool spLbe, bool d, bool f);

    // The total of the ticked groups as a Single, each group's text read by
    // its leading number. No value when a group or the total is too large
    // for a Single.
    std::optional<float> total() const;
};

} // namespace korvane
