#include "support/WindowFixture.h"
#include "ui/DataControl.h"
#include "ui/Form1Layout.h"
#include "ui/LineWidget.h"
#include "ui/UpDownArrows.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>

#include <functional>
#include <optional>

namespace korvane::ui {
namespace {

// A control where the running window must show it: its parent, its place and
// size in pixels (twips / 15, rounded), its caption (none where start-up
// replaces the designed text) and its state after start-up.
struct Placed {
    const char* name;
    const char* parent;
    QRect pixels;
    std::optional<QString> caption;
    bool shown = true;
    bool enabled = true;
};

constexpr bool kHidden = false;
constexpr bool kDisabled = false;
const std::nullopt_t kReplaced = std::nullopt;

// Every control with a behaviour, and a label of each sort, worked out from
// the designed twips by hand.
const std::vector<Placed>& placedControls()
{
    static const std::vector<Placed> controls = {
        {"Label1", "clientArea", {8, 2, 440, 21}, "  IMFP calculated from Tanuma, Powell, Penn formula: TPP2M"},
        {"txtElectronEnergy", "clientArea", {136, 53, 69, 19}, kReplaced},
        {"updEnergy", "clientArea", {207, 53, 16, 20}, kReplaced},
        {"txt_outside_valid_energy_range", "clientArea", {240, 32, 145, 65},
         "Note that the applied \nalgorithms are not valid \nfor energies < 50 eV and \n> 200.000 eV\n", kHidden},
        {"Opt_relativistic", "clientArea", {80, 75, 17, 16}, "Option1"},
        {"Opt_non_relativistic", "clientArea", {200, 75, 17, 17}, "Option3"},
        {"lblImfpResult", "clientArea", {10, 100, 127, 17}, "IMFP (TPP2M) ="},
        {"txtIMFP_2M", "clientArea", {150, 102, 109, 22}, kReplaced},
        {"cmdExit", "clientArea", {8, 128, 81, 20}, "&Exit"},
        {"cmdFind", "clientArea", {120, 128, 105, 20}, "&Find material"},
        {"txtName", "clientArea", {88, 26, 137, 25}, kReplaced, true, kDisabled},
        {"adoMaterials", "clientArea", {388, 24, 153, 22}, kReplaced},
        {"dgrdName", "clientArea", {390, 46, 153, 481}, kReplaced},
        {"cmdNew", "clientArea", {8, 306, 103, 19}, "&New Material"},
        {"cmdChangeParam", "clientArea", {117, 306, 173, 19}, "Change material parameters"},
        {"cmdDelete", "clientArea", {8, 330, 103, 19}, "&Delete Material"},
        {"cmdSave", "clientArea", {128, 330, 57, 19}, "Save", true, kDisabled},
        {"cmdAdd_New_material_Example", "clientArea", {200, 330, 65, 19}, "Example"},
        {"cmdClose", "clientArea", {16, 528, 73, 25}, "&Close"},
        {"txtProcess", "clientArea", {112, 224, 323, 48}, "", kHidden},
        {"txtError", "clientArea", {56, 240, 329, 25}, " Check that all material parameters are correct.", kHidden},
        {"cmdCalc_CF", "clientArea", {4, 372, 283, 24}, "Calculate Elastic scattering correction factor CF"},
        {"cmdInfo_3", "clientArea", {292, 372, 102, 37}, "Understand the XPS intensity"},
        {"frameElastic", "clientArea", {4, 401, 287, 52}, "Elastic Scattering Correction", kHidden},
        {"frameElastic1", "clientArea", {136, 440, 200, 113}, "Elastic Scattering Correction", kHidden},
        {"frameElastic2", "clientArea", {344, 432, 319, 159}, "Elastic Scattering Correction", kHidden},
        {"frmInfo", "clientArea", {552, 8, 250, 264}, "Information"},
        {"frmGuide", "clientArea", {559, 240, 239, 27}, ""},
        {"Frame2", "clientArea", {550, 288, 252, 264}, "Accuracy", kHidden},
        {"Frame1", "clientArea", {550, 290, 251, 264}, "Users' Guide", kHidden},
        {"txtInfo", "clientArea", {288, 72, 495, 553}, kReplaced, kHidden},
        {"cmdCloseInfo", "clientArea", {696, 592, 67, 25}, "Close", kHidden},
        {"txtInfo1", "frmInfo", {5, 16, 240, 215}, kReplaced},
        {"cmdUsersGuide", "frmGuide", {16, 5, 97, 18}, "Users' Guide"},
        {"cmdAccuracy", "frmGuide", {136, 5, 81, 18}, "Accuracy"},
        {"txtInfo2", "Frame1", {5, 16, 244, 241}, kReplaced},
        {"txtInfo3", "Frame2", {5, 15, 244, 244}, kReplaced},

        {"frmMaterialParam", "clientArea", {8, 158, 283, 145}, "Material Parameters"},
        {"lblNoValenceElectrprAtomorMolec", "frmMaterialParam", {4, 39, 110, 41},
         "No. of valence electr per Atom or Molecule"},
        {"txtBulkDensity", "frmMaterialParam", {120, 18, 40, 21}, kReplaced, true, kDisabled},
        {"txtNoValenceElectrprAtomorMolec", "frmMaterialParam", {120, 43, 40, 21}, kReplaced, true, kDisabled},
        {"txtAtomicMass", "frmMaterialParam", {120, 78, 40, 21}, kReplaced, true, kDisabled},
        {"txtEnergyGap", "frmMaterialParam", {120, 96, 40, 21}, kReplaced, true, kDisabled},
        {"frmValenceElectrons", "frmMaterialParam", {168, 16, 107, 121}, "Valence Electrons"},
        {"txt_s_p_hbe", "frmValenceElectrons", {45, 22, 27, 19}, kReplaced, true, kDisabled},
        {"chk_S_P_hbe", "frmValenceElectrons", {72, 21, 20, 16}, ""},
        {"txt_s_p_lbe", "frmValenceElectrons", {45, 40, 27, 19}, kReplaced, true, kDisabled},
        {"chk_S_P_lbe", "frmValenceElectrons", {74, 38, 20, 19}, ""},
        {"txt_d", "frmValenceElectrons", {45, 58, 27, 19}, kReplaced, true, kDisabled},
        {"chk_d", "frmValenceElectrons", {74, 58, 20, 16}, ""},
        {"txt_f", "frmValenceElectrons", {45, 76, 27, 19}, kReplaced, true, kDisabled},
        {"chk_f", "frmValenceElectrons", {74, 74, 20, 16}, ""},
        {"txt_Val_El_Total", "frmValenceElectrons", {45, 98, 27, 19}, kReplaced, true, kDisabled},

        {"cmdElastic1", "frameElastic", {12, 17, 80, 20}, "CF approx 1"},
        {"cmdElastic2", "frameElastic", {100, 17, 80, 20}, "CF approx 2"},
        {"cmdInfo_0", "frameElastic", {188, 16, 35, 22}, "Info"},
        {"Command3", "frameElastic", {232, 18, 45, 19}, "Close"},
        {"txtDepth1", "frameElastic1", {76, 22, 35, 22}, "10"},
        {"lblCF1", "frameElastic1", {11, 56, 71, 19}, "2. Calc CF ="},
        {"txtCF1", "frameElastic1", {88, 54, 41, 22}, ""},
        {"Command2", "frameElastic1", {138, 90, 49, 19}, "Close"},
        {"txtTrXsct", "frameElastic2", {172, 18, 55, 25}, "1"},
        {"cmdCalc1", "frameElastic2", {8, 60, 160, 23}, "2. Calc TrMFP and EffTrMFP"},
        {"txtTrMFP", "frameElastic2", {238, 50, 65, 22}, "10"},
        {"txtEffTrMFP", "frameElastic2", {238, 70, 65, 22}, "10"},
        {"txtDepth", "frameElastic2", {70, 100, 35, 22}, "10"},
        {"lblCF2", "frameElastic2", {8, 130, 67, 19}, "4. Calc CF ="},
        {"txtCF2", "frameElastic2", {78, 128, 45, 23}, ""},
        {"Command1", "frameElastic2", {180, 136, 45, 19}, "Close"},
    };
    return controls;
}

QString captionOf(QWidget* control)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* line = qobject_cast<QLineEdit*>(control))
        return line->text();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        return plain->toPlainText();
    if (auto* frame = qobject_cast<QGroupBox*>(control))
        return frame->title();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    return {};
}

bool isOfKind(QWidget* control, Kind kind)
{
    switch (kind) {
    case Kind::Label: return qobject_cast<QLabel*>(control);
    case Kind::TextBox: return qobject_cast<QLineEdit*>(control);
    case Kind::MultiLineText: return qobject_cast<QPlainTextEdit*>(control);
    case Kind::Frame: return qobject_cast<QGroupBox*>(control);
    case Kind::Button: return qobject_cast<QPushButton*>(control);
    case Kind::CheckBox: return qobject_cast<QCheckBox*>(control);
    case Kind::Option: return qobject_cast<QRadioButton*>(control);
    case Kind::Line: return qobject_cast<LineWidget*>(control);
    case Kind::UpDown: return qobject_cast<UpDownArrows*>(control);
    case Kind::Grid: return qobject_cast<QTableView*>(control);
    case Kind::DataControl: return qobject_cast<DataControl*>(control);
    }
    return false;
}

// The pixels in which two pictures of one control differ.
QRect difference(const QImage& before, const QImage& after)
{
    QRect changed;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    return changed;
}

QImage picture(QWidget* control)
{
    return control->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Where a caption is drawn: the pixels it adds to the control's picture
// over the `blank` one. Signals are held so that no handler rewrites the text.
QRect captionInk(QWidget* control, const QString& caption, const QString& blank,
                 const std::function<void(const QString&)>& setCaption)
{
    const QSignalBlocker quiet(control);
    const QString kept = captionOf(control);
    setCaption(blank);
    const QImage before = picture(control);
    setCaption(caption);
    const QImage after = picture(control);
    setCaption(kept);
    return difference(before, after);
}

QRect captionInk(QWidget* control, const QString& caption)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        return captionInk(control, caption, {}, [label](const QString& text) { label->setText(text); });
    // A frame without a caption draws its border higher: a blank one keeps it.
    if (auto* frame = qobject_cast<QGroupBox*>(control))
        return captionInk(control, caption, QStringLiteral(" "), [frame](const QString& text) { frame->setTitle(text); });
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return captionInk(control, caption, {}, [button](const QString& text) { button->setText(text); });
    auto* box = qobject_cast<QLineEdit*>(control);
    return captionInk(control, caption, {}, [box](const QString& text) {
        box->setText(text);
        box->setCursorPosition(0);
    });
}

// The darkest grey level among the given pixels of a picture.
int darkest(const QImage& image, const QRect& area)
{
    int level = 255;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            level = std::min(level, qGray(image.pixel(x, y)));
    return level;
}

class Form1LayoutTest : public test::WindowFixture {
protected:
    QWidget* client() const { return window->centralWidget(); }

    void click(const char* name) { QTest::mouseClick(find(name), Qt::LeftButton); }

    QColor colour(const char* name, QPalette::ColorRole role) const { return find(name)->palette().color(role); }

    QString fontOf(const char* name) const
    {
        const QFontInfo info(find(name)->font());
        return QStringLiteral("%1 %2px%3").arg(info.family()).arg(info.pixelSize()).arg(info.bold() ? " bold" : "");
    }

    QStringList tabStopsFrom(const char* first, int count)
    {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        find(first)->setFocus(Qt::TabFocusReason);
        QStringList stops{QApplication::focusWidget()->objectName()};
        for (int i = 1; i < count; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            stops << QApplication::focusWidget()->objectName();
        }
        return stops;
    }
};

TEST_F(Form1LayoutTest, EveryControlOfTheTableStandsInTheRunningWindow)
{
    for (const ControlDesign& design : form1Controls()) {
        QWidget* control = find(design.name);
        ASSERT_NE(control, nullptr) << design.name;
        EXPECT_TRUE(isOfKind(control, design.kind)) << design.name;
        EXPECT_EQ(control->parentWidget()->objectName(),
                  QLatin1String(design.parent ? design.parent : "clientArea"))
            << design.name;
        if (design.kind == Kind::Line)
            continue;
        EXPECT_EQ(control->geometry(), QRect(twipsToPixels(design.left), twipsToPixels(design.top),
                                             twipsToPixels(design.width), twipsToPixels(design.height)))
            << design.name;
    }

    for (const Placed& placed : placedControls()) {
        QWidget* control = find(placed.name);
        ASSERT_NE(control, nullptr) << placed.name;
        EXPECT_EQ(control->parentWidget()->objectName(), QLatin1String(placed.parent)) << placed.name;
        EXPECT_EQ(control->geometry(), placed.pixels) << placed.name;
        if (placed.caption) {
            EXPECT_EQ(captionOf(control), *placed.caption) << placed.name;
        }
        EXPECT_EQ(!control->isHidden(), placed.shown) << placed.name;
        EXPECT_EQ(control->isEnabled(), placed.enabled) << placed.name;
    }

    EXPECT_EQ(text("txtElectronEnergy"), QStringLiteral("1000"));
    EXPECT_EQ(find<DataControl>("adoMaterials")->caption(), QStringLiteral("Rec: 1 of 6"));
    EXPECT_TRUE(find<QRadioButton>("Opt_non_relativistic")->isChecked());
    EXPECT_FALSE(find<QRadioButton>("Opt_relativistic")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chk_S_P_hbe")->isChecked());
    for (const char* group : {"chk_S_P_lbe", "chk_d", "chk_f"})
        EXPECT_TRUE(find<QCheckBox>(group)->isChecked()) << group;

    // Of the frames only the information, guide and parameter frames show.
    QStringList shownFrames;
    for (QGroupBox* frame : client()->findChildren<QGroupBox*>())
        if (frame->isVisible())
            shownFrames << frame->objectName();
    shownFrames.sort();
    EXPECT_EQ(shownFrames, QStringList({"frmGuide", "frmInfo", "frmMaterialParam", "frmValenceElectrons"}));
}

TEST_F(Form1LayoutTest, WindowMenusAndClientArea)
{
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("Korvane - IMFP calculator by TPP2M formula and elastic scattering correction CF "
                             "calculation"));
    const int menuHeight = window->menuBar()->height();
    EXPECT_GT(menuHeight, 0);
    EXPECT_EQ(client()->geometry(), QRect(0, menuHeight, 812, 668));
    EXPECT_GE(window->height(), menuHeight + 668);
    EXPECT_GE(window->width(), 812);
    EXPECT_EQ(client()->palette().color(QPalette::Window), QColor(224, 224, 224));

    QStringList shownMenus;
    for (QAction* menu : window->menuBar()->actions())
        if (menu->isVisible())
            shownMenus << menu->text();
    EXPECT_EQ(shownMenus, QStringList{"&Show Information"});

    auto entries = [](QMenu* menu) {
        QStringList texts;
        for (QAction* entry : menu->actions())
            texts << entry->objectName() + u'=' + entry->text() + (entry->shortcut().isEmpty() ? "" : "+key") +
                         (entry->isCheckable() ? "+check" : "") + (entry->isSeparator() ? "+separator" : "");
        return texts;
    };
    auto* showInformation = find<QMenu>("ShowInformation");
    EXPECT_EQ(showInformation->title(), QStringLiteral("&Show Information"));
    EXPECT_TRUE(showInformation->menuAction()->isEnabled());
    EXPECT_EQ(entries(showInformation), QStringList({"Yes=&Yes", "No=&No"}));
    auto* help = find<QMenu>("mnuHelp");
    EXPECT_EQ(help->title(), QStringLiteral("&Help"));
    EXPECT_FALSE(help->menuAction()->isVisible());
    EXPECT_FALSE(help->menuAction()->isEnabled());
    EXPECT_EQ(entries(help), QStringList({"mnuKorvane_on_the_web=&Korvane on the web", "mnuAbout=&About"}));

    // A larger window moves and resizes no control.
    QWidget* button = find("cmdInfo_3");
    const QPoint placeInWindow = button->mapTo(window.get(), QPoint(0, 0));
    window->resize(window->width() + 200, window->height() + 150);
    QApplication::processEvents();
    EXPECT_EQ(client()->size(), QSize(812, 668));
    EXPECT_EQ(button->mapTo(window.get(), QPoint(0, 0)), placeInWindow);
    EXPECT_EQ(button->size(), QSize(102, 37));
}

TEST_F(Form1LayoutTest, FontsAndColoursAsDesigned)
{
    // The designed faces through their metric-compatible stand-ins, at the
    // designed sizes on a 96 dpi screen.
    EXPECT_EQ(fontOf("Label1"), QStringLiteral("Liberation Sans 13px bold"));
    EXPECT_EQ(fontOf("cmdExit"), QStringLiteral("Liberation Sans 12px"));
    EXPECT_EQ(fontOf("txtElectronEnergy"), QStringLiteral("DejaVu Sans 15px"));
    EXPECT_EQ(fontOf("txtName"), QStringLiteral("DejaVu Sans 15px bold"));
    EXPECT_EQ(fontOf("lblBulkDensity"), QStringLiteral("Carlito 12px"));
    EXPECT_EQ(fontOf("txt_s_p_hbe"), QStringLiteral("Liberation Sans 11px"));
    EXPECT_EQ(fontOf("txt_d"), QStringLiteral("Liberation Sans 10px"));
    EXPECT_EQ(fontOf("adoMaterials"), QStringLiteral("DejaVu Sans 10px"));
    EXPECT_EQ(fontOf("dgrdName"), QStringLiteral("DejaVu Sans 12px"));
    auto* grid = find<QTableView>("dgrdName");
    const QFontInfo header(grid->horizontalHeader()->font());
    EXPECT_EQ(header.family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(header.pixelSize(), 13);
    EXPECT_TRUE(header.bold());
    // The grid: one header line, columns of 73 and 40 pixels, record selectors on the left.
    EXPECT_LT(grid->horizontalHeader()->height(), 2 * grid->horizontalHeader()->fontMetrics().height());
    EXPECT_EQ(grid->horizontalHeader()->sectionSize(0), 73);
    EXPECT_EQ(grid->horizontalHeader()->sectionSize(1), 40);
    EXPECT_TRUE(grid->verticalHeader()->isVisible());
    EXPECT_EQ(grid->verticalHeader()->x(), grid->frameWidth());
    EXPECT_EQ(grid->viewport()->x(), grid->frameWidth() + grid->verticalHeader()->width());

    EXPECT_EQ(colour("frmMaterialParam", QPalette::Window), QColor(171, 171, 171));
    EXPECT_EQ(colour("frmMaterialParam", QPalette::WindowText), QColor(255, 255, 255));
    // Inside it, what the design leaves unset is the window's, not the frame's.
    EXPECT_EQ(colour("frmValenceElectrons", QPalette::Window), QColor(224, 224, 224));
    EXPECT_EQ(colour("frmValenceElectrons", QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_EQ(colour("lblBulkDensity", QPalette::Window), QColor(224, 224, 224));
    EXPECT_EQ(colour("lblBulkDensity", QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_EQ(colour("lbls_p_hbe", QPalette::Window), QColor(192, 192, 192));
    EXPECT_EQ(colour("chk_d", QPalette::Window), QColor(192, 192, 192));
    EXPECT_EQ(colour("lblImfpResult", QPalette::Window), QColor(200, 200, 200));
    EXPECT_EQ(colour("txtIMFP_2M", QPalette::Base), QColor(192, 255, 255));
    EXPECT_EQ(colour("txtBulkDensity", QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(colour("txtError", QPalette::Base), QColor(128, 0, 0));
    EXPECT_EQ(colour("txtError", QPalette::Text), QColor(255, 255, 255));
    EXPECT_EQ(colour("frmInfo", QPalette::Window), QColor(0, 128, 128));
    EXPECT_EQ(colour("frmInfo", QPalette::WindowText), QColor(255, 255, 255));
    EXPECT_EQ(colour("txtInfo1", QPalette::Base), QColor(192, 255, 255));
    EXPECT_EQ(colour("frmGuide", QPalette::Window), QColor(192, 255, 255));
    EXPECT_EQ(colour("frameElastic2", QPalette::Window), QColor(128, 128, 128));
    EXPECT_EQ(colour("cmdExit", QPalette::Button), QColor(192, 192, 192));
    EXPECT_EQ(colour("cmdCalc1", QPalette::Button), QColor(192, 192, 192));
    EXPECT_EQ(colour("adoMaterials", QPalette::Window), QColor(255, 255, 255));

    // The thick black rules, the dark red bracket of the valence total and
    // the dark red rule under "Total :".
    const QImage form = picture(client());
    for (int y : {151, 152, 153})
        EXPECT_EQ(QColor(form.pixel(200, y)), QColor(0, 0, 0)) << y;
    EXPECT_NE(QColor(form.pixel(200, 150)), QColor(0, 0, 0));
    EXPECT_NE(QColor(form.pixel(200, 154)), QColor(0, 0, 0));
    const QImage parameters = picture(find("frmMaterialParam"));
    EXPECT_EQ(QColor(parameters.pixel(160, 80)), QColor(128, 0, 0));
    EXPECT_EQ(QColor(parameters.pixel(163, 126)), QColor(128, 0, 0));
    const QImage valence = picture(find("frmValenceElectrons"));
    EXPECT_EQ(QColor(valence.pixel(20, 110)), QColor(128, 0, 0));
}

TEST_F(Form1LayoutTest, TabVisitsTheShownEnabledControlsInDesignedOrder)
{
    // The two options are one stop, at the selected one.
    const QStringList expected = {
        "cmdExit", "txtElectronEnergy", "txtInfo1", "cmdClose", "cmdNew", "cmdDelete", "dgrdName", "cmdFind",
        "updEnergy", "cmdChangeParam", "chk_S_P_lbe", "chk_f", "chk_d", "chk_S_P_hbe", "cmdUsersGuide",
        "cmdAccuracy", "Opt_non_relativistic", "txtIMFP_2M", "cmdCalc_CF", "cmdInfo_3",
        "cmdAdd_New_material_Example", "cmdExit",
    };
    EXPECT_EQ(tabStopsFrom("cmdExit", int(expected.size())).join(' ').toStdString(),
              expected.join(' ').toStdString());

    // Editing enables the parameter fields: they join the round in their places.
    click("cmdChangeParam");
    const QStringList fields = {"txtBulkDensity", "txtAtomicMass", "txtEnergyGap", "txt_s_p_lbe", "chk_S_P_lbe",
                                "chk_f", "chk_d", "chk_S_P_hbe", "txt_f", "txt_d", "txt_s_p_hbe"};
    QStringList visited;
    for (const QString& stop : tabStopsFrom("updEnergy", 20))
        if (fields.contains(stop))
            visited << stop;
    EXPECT_EQ(visited.join(' ').toStdString(), fields.join(' ').toStdString());
}

TEST_F(Form1LayoutTest, CaptionsFitTheirDesignedSizes)
{
    for (const ControlDesign& design : form1Controls()) {
        QWidget* control = find(design.name);
        const QString caption = QString::fromUtf8(design.caption);
        if (design.kind == Kind::Label) {
            // Labels wrap at word boundaries from their top-left corner.
            const QRect wrapped = control->fontMetrics().boundingRect(QRect(0, 0, control->width(), 10000),
                                                                      Qt::TextWordWrap, caption);
            EXPECT_LE(wrapped.width(), control->width()) << design.name;
            EXPECT_LE(wrapped.height(), control->height()) << design.name;

            // Nor may a shown control lie over the words.
            const QRect words = captionInk(control, caption).translated(control->pos());
            for (QWidget* sibling : control->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (sibling == control || sibling->isHidden() || qobject_cast<QLabel*>(sibling) ||
                    qobject_cast<LineWidget*>(sibling))
                    continue;
                EXPECT_FALSE(sibling->geometry().intersects(words))
                    << sibling->objectName().toStdString() << " covers the words of " << design.name;
            }
        }
        // Buttons centre their caption inside the bevel; frames write theirs
        // along the top.
        if (design.kind == Kind::Button || (design.kind == Kind::Frame && !caption.isEmpty())) {
            const QRect ink = captionInk(control, caption);
            ASSERT_FALSE(ink.isEmpty()) << design.name;
            EXPECT_TRUE(control->rect().adjusted(1, 1, -1, -1).contains(ink))
                << design.name << " caption at " << ink.x() << ',' << ink.y() << ' ' << ink.width() << 'x'
                << ink.height() << " in " << control->width() << 'x' << control->height();
        }
    }

    // The long caption wraps over two lines inside its button.
    QWidget* understand = find("cmdInfo_3");
    const QRect twoLines = captionInk(understand, QStringLiteral("Understand the XPS intensity"));
    EXPECT_GT(twoLines.height(), understand->fontMetrics().height());

    // The options' own captions never show: the labels beside them carry the words.
    for (const char* option : {"Opt_relativistic", "Opt_non_relativistic"})
        EXPECT_TRUE(captionInk(find(option), captionOf(find(option))).isEmpty()) << option;

    // The record position of the shipped database fits the navigation bar.
    auto* bar = find<DataControl>("adoMaterials");
    auto* position = bar->findChild<QLabel*>(QStringLiteral("caption"));
    const QRect positionInk = captionInk(position, QStringLiteral("Rec: 190 of 190"));
    EXPECT_TRUE(position->rect().adjusted(0, 0, -1, -1).contains(positionInk));
}

TEST_F(Form1LayoutTest, TextBoxesShowTheirNumbersWhole)
{
    // The widest text each box is meant to hold, drawn in a roomy box of the
    // same font as the reference for the whole text.
    const std::vector<std::pair<const char*, QString>> widest = {
        {"txt_s_p_hbe", "14.0"}, {"txt_s_p_lbe", "14.0"}, {"txt_d", "14.0"},
        {"txt_f", "14.0"}, {"txt_Val_El_Total", "14.0"}, {"txtElectronEnergy", "200000"},
        {"txtIMFP_2M", QStringLiteral("1449.10 \u00C5")}, {"txtNoValenceElectrprAtomorMolec", "44.5"},
        {"txtCF1", "0.000"}, {"txtCF2", "0.000"}, {"txtEffTrMFP", QStringLiteral("125.50 \u00C5")},
    };
    for (const auto& [name, text] : widest) {
        auto* box = find<QLineEdit>(name);
        QLineEdit roomy;
        roomy.setFont(box->font());
        roomy.resize(300, 60);
        const QRect whole = captionInk(&roomy, text);
        const QRect shown = captionInk(box, text);
        EXPECT_EQ(shown.size(), whole.size()) << name;
        EXPECT_TRUE(box->rect().adjusted(2, 2, -2, -2).contains(shown)) << name;
    }

    // The range note shows its last line, which has no descenders, whole.
    auto* note = find<QPlainTextEdit>("txt_outside_valid_energy_range");
    const QTextCursor lastLine = note->document()->find(QStringLiteral("> 200.000 eV"));
    ASSERT_FALSE(lastLine.isNull());
    EXPECT_LE(note->cursorRect(lastLine).top() + note->fontMetrics().ascent(), note->viewport()->height());

    // Disabled boxes grey their text but keep it legible on their background.
    auto* total = find<QLineEdit>("txt_Val_El_Total");
    ASSERT_FALSE(total->isEnabled());
    total->setText(QStringLiteral("16"));
    const QImage shown = picture(total);
    const int background = qGray(shown.pixel(total->width() - 4, total->height() / 2));
    const QRect digits = captionInk(total, QStringLiteral("16"));
    EXPECT_GE(background - darkest(shown, digits), 110);
}

} // namespace
} // namespace korvane::ui
