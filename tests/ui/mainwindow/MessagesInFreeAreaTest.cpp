#include "support/WindowFixture.h"
#include "ui/mainwindow/Form1Controls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace korvane::ui {
namespace {

class MessagesInFreeAreaTest : public test::WindowFixture {
protected:
    QWidget* topmostAt(const QWidget* control, QPoint at) const
    {
        return window->childAt(control->mapTo(window.get(), at));
    }
    static bool within(const QWidget* outer, const QWidget* reached)
    {
        return reached == outer || outer->isAncestorOf(reached);
    }
    // The box shows its whole text, nothing lies over it, and it lies over
    // no enabled field, which shows and takes the click at its middle.
    void expectReadableAndFieldsFree(QWidget* box, const char* state)
    {
        SCOPED_TRACE(state);
        ASSERT_TRUE(box->isVisible());
        EXPECT_TRUE(box->mask().isEmpty());
        const QRect inside = box->rect().adjusted(1, 1, -1, -1);
        for (const QPoint corner : {inside.topLeft(), inside.topRight(), inside.bottomLeft(), inside.bottomRight()})
            EXPECT_TRUE(within(box, topmostAt(box, corner)));
        if (auto* line = qobject_cast<QLineEdit*>(box)) {
            EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->contentsRect().width());
        } else {
            auto* text = static_cast<QPlainTextEdit*>(box);
            EXPECT_EQ(text->verticalScrollBar()->maximum(), 0) << box->size().height();
        }
        const QRect boxRect(box->mapTo(window.get(), QPoint(0, 0)), box->size());
        for (QWidget* field : window->centralWidget()->findChildren<QWidget*>()) {
            const bool isField = qobject_cast<QLineEdit*>(field) || qobject_cast<QAbstractButton*>(field)
                || qobject_cast<QAbstractScrollArea*>(field);
            if (!isField || within(box, field) || !field->isVisible() || !field->isEnabled()
                || field == controls().txtProcess)
                continue;
            const QRect fieldRect(field->mapTo(window.get(), QPoint(0, 0)), field->size());
            EXPECT_FALSE(fieldRect.intersects(boxRect)) << field->objectName().toStdString();
            EXPECT_TRUE(within(field, topmostAt(field, field->rect().center()))) << field->objectName().toStdString();
        }
    }
};

// " Entering data for new material", the change warning and the error box
// lie at their designed places over the Atomic mass, Band gap and valence
// fields: each goes to the nearest free area, readable whole, and comes back
// to its designed place when hidden.
TEST_F(MessagesInFreeAreaTest, RedBoxesAreReadWholeAndHideNoEnabledField)
{
    const Form1Controls& ui = controls();
    const QRect processDesigned = ui.txtProcess->geometry();
    const QRect errorDesigned = ui.txtError->geometry();

    typeInto(ui.txtElectronEnergy, QStringLiteral("1e39"));
    expectReadableAndFieldsFree(ui.txtError, "failed IMFP while browsing");
    typeInto(ui.txtElectronEnergy, QStringLiteral("1000"));
    EXPECT_EQ(ui.txtError->geometry(), errorDesigned);

    click(ui.cmdNew);
    expectReadableAndFieldsFree(ui.txtProcess, "adding");
    click(ui.cmdClose);
    EXPECT_EQ(ui.txtProcess->geometry(), processDesigned);

    clickRow(1); // Si
    click(ui.cmdChangeParam);
    expectReadableAndFieldsFree(ui.txtProcess, "changing");
    typeInto(ui.txtAtomicMass, QStringLiteral("x"));
    expectReadableAndFieldsFree(ui.txtError, "error while changing");
    expectReadableAndFieldsFree(ui.txtProcess, "changing beside the error");
}

} // namespace
} // namespace korvane::ui
