#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QMainWindow;

namespace korvane::ui {

class FormAbout;
struct Form1Controls;

// The information texts of the main window: the right-hand panels, the
// overlay with the elastic-scattering explanation and the worked examples,
// the "Show Information" menu and the About box.
class InformationPanels : public QObject {
    Q_OBJECT
public:
    InformationPanels(QMainWindow* window, const Form1Controls& controls);
    ~InformationPanels() override;

    // Writes the three panel texts; once, at start-up.
    void FillInfoTexts();

private:
    void cmdUsersGuide_Click();
    void cmdAccuracy_Click();
    void Yes_Click();
    void No_Click();
    void cmdInfo_Click(int index);
    void cmdAdd_New_material_Example_Click();
    void cmdCloseInfo_Click();
    void mnuAbout_Click();

    void openOverlay(const QString& text);

    QAction* menuEntry(const char* name) const;

    QMainWindow* window_;
    const Form1Controls& ui_;
    QPointer<FormAbout> formAbout_;
};

} // namespace korvane::ui
