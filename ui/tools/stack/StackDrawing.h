#pragma once

#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

namespace korvane::ui {

// A cross-section of the layered sample: the layers as bands from the
// surface down, each with its name and thickness, over the substrate, with
// φ(z) across them for each angle: the straight-line profile exp(-z_eff),
// z_eff the depth counted in each layer's λ cos θ, and, where simulated, the
// Monte Carlo's mean φ over each layer (its signal over its thickness).
class StackDrawing : public QWidget {
    Q_OBJECT
public:
    struct Profile {
        double angle = 0;                           // degrees
        std::vector<double> imfps;                  // Å, the substrate's last
        std::optional<std::vector<double>> simulated; // ∫φ dz of each layer (Å), the substrate's last
    };
    struct Sample {
        std::vector<QString> names; // the substrate's last
        std::vector<double> thicknesses;
        std::vector<Profile> profiles;
    };

    explicit StackDrawing(QWidget* parent = nullptr);

    // What to draw; none leaves the drawing empty.
    void setSample(std::optional<Sample> sample);

    QSize sizeHint() const override { return {360, 300}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<Sample> sample_;
};

} // namespace korvane::ui
