#pragma once

#include <QPointer>
#include <QWidget>

class QPlainTextEdit;

namespace korvane::ui {

// The About box: product name and version, a one-line description and the
// legal notice. It opens modeless while the main window is disabled; however
// it closes (its "OK" button or the title bar's close box), it hides, deletes
// itself and enables the main window again.
class FormAbout : public QWidget {
    Q_OBJECT
public:
    explicit FormAbout(QWidget* mainWindow);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    static constexpr int kText1Count = 8; // the text box array Text1, indexes 0 to 7

    QPlainTextEdit* text1(int index) const;
    void Form_Load();
    void cmdOK_Click();

    QPointer<QWidget> mainWindow_;
};

} // namespace korvane::ui
