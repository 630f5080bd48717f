#include "support/WindowFixture.h"
#include "ui/mainwindow/Form1Controls.h"

#include <QCheckBox>
#include <QPlainTextEdit>

namespace korvane::ui {
namespace {

class FieldsInFrontTest : public test::WindowFixture {
protected:
    // What a click at the middle of `control` reaches in the main window.
    QWidget* topmostAt(const QWidget* control) const
    {
        return window->childAt(control->mapTo(window.get(), control->rect().center()));
    }
    // Every enabled parameter field shows (and takes the click) at its middle,
    // and the box still shows its text at its upper left.
    void expectFieldsInFront(const QWidget* box, const char* state)
    {
        SCOPED_TRACE(state);
        const Form1Controls& ui = window->controls();
        ASSERT_TRUE(box->isVisible());
        EXPECT_TRUE(box->isAncestorOf(window->childAt(box->mapTo(window.get(), QPoint(8, 8))))
                    || window->childAt(box->mapTo(window.get(), QPoint(8, 8))) == box);
        for (QWidget* field : std::initializer_list<QWidget*>{
                 ui.txtName, ui.txtBulkDensity, ui.txtAtomicMass, ui.txtEnergyGap, ui.txt_s_p_hbe, ui.txt_s_p_lbe,
                 ui.txt_d, ui.txt_f, ui.chk_S_P_hbe, ui.chk_S_P_lbe, ui.chk_d, ui.chk_f}) {
            if (!field->isEnabled())
                continue;
            QWidget* reached = topmostAt(field);
            EXPECT_TRUE(reached == field || field->isAncestorOf(reached)) << field->objectName().toStdString();
        }
    }
};

// " Entering data for new material", the change warning and the error box
// after a failed computation lie over the Atomic mass, Band gap and valence
// fields: the fields stay in front of them.
TEST_F(FieldsInFrontTest, RedBoxesNeverHideAnEnabledParameterField)
{
    const Form1Controls& ui = window->controls();
    click(controls().cmdNew);
    expectFieldsInFront(ui.txtProcess, "adding");
    click(controls().cmdClose);

    clickRow(1); // Si
    click(controls().cmdChangeParam);
    expectFieldsInFront(ui.txtProcess, "changing");
    typeInto(ui.txtAtomicMass, QStringLiteral("x"));
    expectFieldsInFront(ui.txtError, "error while changing");
}

} // namespace
} // namespace korvane::ui
