#pragma once

#include <QObject>

class QWidget;

namespace korvane::ui {

// The elastic-scattering correction panels of the main window: the chooser
// and the panels of approximations 1 and 2.
class ElasticPanels : public QObject {
    Q_OBJECT
public:
    // `client` holds the panels' controls; `storedImfp` is the window's
    // stored IMFP, which the panels read and never write.
    ElasticPanels(QWidget* client, const float& storedImfp, QObject* parent = nullptr);

private:
    QWidget* client_;
    const float& storedImfp_;
};

} // namespace korvane::ui
