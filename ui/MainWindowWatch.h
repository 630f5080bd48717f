#pragma once

#include "ui/MainWindowInputs.h"
#include "ui/PlottedMaterial.h"

#include <QObject>

class QPushButton;
class QTableView;

namespace korvane::ui {

class Form1;

// What the main window shows now, as the curve window draws it.
struct MainWindowReading {
    std::optional<PlottedMaterial> material; // none when its values give no curve
    bool typed = false;                      // the values of a material being changed or added
    bool adding = false;
    QString name;                // the text of the name field
    std::optional<float> energy; // the energy box, when it holds a number
    ImfpForm form = ImfpForm::NonRelativistic;
};

// Follows the main window through the notifications its controls already
// raise: the material fields, energy and formula choice as `MainWindowInputs`
// reads them (the Nv field carries the valence-group boxes, as the main
// window sums them), and the editing buttons. Many of them fire during one move in the name list, so
// `changed` is raised once, after the main window has finished its work.
class MainWindowWatch : public QObject {
    Q_OBJECT
public:
    explicit MainWindowWatch(Form1& mainWindow, QObject* parent = nullptr);

    MainWindowReading read() const;

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void noteChange();

    Form1& mainWindow_;
    MainWindowInputs inputs_;
    QPushButton* cmdSave_;
    QTableView* dgrdName_;
    bool pending_ = false;
};

} // namespace korvane::ui
