#include "ui/mainwindow/Form1Layout.h"

#include "ui/controls/DataControl.h"
#include "ui/mainwindow/Form1Controls.h"
#include "ui/controls/LineWidget.h"
#include "ui/controls/UpDownArrows.h"
#include "query/ValenceGroups.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include <algorithm>
#include <array>

namespace korvane::ui {

namespace {

// clang-format off
constexpr FontDesign arial(double points, bool bold = false) { return {"Arial", points, bold}; }
constexpr FontDesign verdana(double points, bool bold = false) { return {"Verdana", points, bold}; }
constexpr FontDesign calibri(double points) { return {"Calibri", points, false}; }
// A valence group's include box starts as the default ticks say.
constexpr unsigned tickedBy(bool ticked) { return ticked ? Checked : None; }

constexpr Colour kCyan = rgb(192, 255, 255);
constexpr Colour kDarkRed = rgb(128, 0, 0);
constexpr Colour kWhite = rgb(255, 255, 255);
constexpr Colour kBlack = rgb(0, 0, 0);
constexpr Colour kTeal = rgb(0, 128, 128);
constexpr Colour kGrey = rgb(128, 128, 128);
constexpr Colour kSilver = rgb(192, 192, 192);
constexpr Colour kWindowGrey = rgb(224, 224, 224);
constexpr Colour kWindowText = systemColour(8);

constexpr const char* kRangeNote =
    "Note that the applied \r\nalgorithms are not valid \r\nfor energies < 50 eV and \r\n> 200.000 eV\r\n";
constexpr const char* kFrameElastic = "Elastic Scattering Correction";

// A control the window works with: kept in Form1Controls under the same
// name, as the widget class of its kind; a wrong name or kind does not compile.
#define KEPT(name, kind) #name, Kind::kind, KeepControl{&keepAs<Kind::kind, &Form1Controls::name>, true}
// A control that only shows what it is designed with.
#define SHOWN(name, kind) #name, Kind::kind, KeepControl{}

// name and kind, parent, caption, left, top, width, height, font, back, fore, flags, header font
constexpr std::array kControls = std::to_array<ControlDesign>({
    // Calculation area
    {SHOWN(Label1, Label), nullptr, "  IMFP calculated from Tanuma, Powell, Penn formula: TPP2M",
     120, 30, 6600, 315, arial(9.75, true), kWindowGrey, kWindowText},
    {SHOWN(lblElectronEnergy, Label), nullptr, " Electron energy (eV)", 120, 795, 1905, 255},
    {KEPT(txtElectronEnergy, TextBox), nullptr, "txtElectronEnergy", 2040, 792, 1035, 288, verdana(11.25), kCyan},
    {KEPT(updEnergy, UpDown), nullptr, "", 3108, 792, 240, 300},
    {SHOWN(Label2, Label), nullptr, "Relativistic", 120, 1120, 1335, 255, verdana(9)},
    {KEPT(Opt_relativistic, Option), nullptr, "Option1", 1200, 1120, 255, 240, arial(9.75, true)},
    {SHOWN(Label4, Label), nullptr, "Non-relativistic", 1560, 1125, 1450, 255, verdana(9)},
    {KEPT(Opt_non_relativistic, Option), nullptr, "Option3", 3000, 1120, 255, 255, arial(9.75, true),
     kUnset, kUnset, Checked},
    {SHOWN(lblImfpResult, Label), nullptr, "IMFP (TPP2M) =", 150, 1500, 1905, 255, {}, systemColour(0)},
    {KEPT(txtIMFP_2M, TextBox), nullptr, "0", 2250, 1530, 1635, 330, verdana(11.25), kCyan},
    {KEPT(cmdExit, Button), nullptr, "&Exit", 120, 1920, 1215, 300, {}, kSilver},
    {KEPT(cmdFind, Button), nullptr, "&Find material", 1800, 1920, 1572, 300, {}, kSilver},
    {SHOWN(Line5, Line), nullptr, "", 120, 2280, 5760, 2280, {}, kUnset, kWindowText, ThickLine},

    // Material name, parameters and list
    {SHOWN(lblName, Label), nullptr, " Name", 120, 480, 1212, 252},
    {KEPT(txtName, TextBox), nullptr, "txtName", 1320, 390, 2055, 375, verdana(11.25, true), kCyan},
    {SHOWN(frmMaterialParam, Frame), nullptr, "Material Parameters", 120, 2370, 4250, 2172, arial(9.75, true),
     systemColour(12), systemColour(14)},
    {SHOWN(lblBulkDensity, Label), "frmMaterialParam", "Bulk density [g/cm3]", 60, 276, 1656, 288, calibri(9)},
    {KEPT(txtBulkDensity, TextBox), "frmMaterialParam", "txtBulkDensity", 1800, 276, 600, 315, arial(8.25)},
    {SHOWN(lblNoValenceElectrprAtomorMolec, Label), "frmMaterialParam", "No. of valence electr per Atom or Molecule",
     60, 590, 1650, 615, calibri(9)},
    {KEPT(txtNoValenceElectrprAtomorMolec, TextBox), "frmMaterialParam", "txtNoValenceElectrprAtomorMolec",
     1800, 648, 600, 315, arial(8.25), kUnset, kUnset, Disabled},
    {SHOWN(lblAtomicMass, Label), "frmMaterialParam", "Atomic mass", 60, 1236, 1656, 240, calibri(9)},
    {KEPT(txtAtomicMass, TextBox), "frmMaterialParam", "txtAtomicMass", 1800, 1176, 600, 315, arial(8.25)},
    {SHOWN(lblEnergyGap, Label), "frmMaterialParam", "Band gap energy", 60, 1500, 1656, 240, calibri(9)},
    {KEPT(txtEnergyGap, TextBox), "frmMaterialParam", "txtEnergyGap", 1800, 1440, 600, 315, arial(8.25)},
    {SHOWN(frmValenceElectrons, Frame), "frmMaterialParam", "Valence Electrons", 2520, 240, 1600, 1812,
     arial(7.5, true), kWindowGrey},
    {SHOWN(lbls_p_hbe, Label), "frmValenceElectrons", "s+p(hbe)", 50, 312, 972, 288, arial(7.5), kSilver},
    {KEPT(txt_s_p_hbe, TextBox), "frmValenceElectrons", "", 672, 324, 400, 288, arial(8.25)},
    {KEPT(chk_S_P_hbe, CheckBox), "frmValenceElectrons", "", 1080, 320, 300, 240, {}, kSilver, kUnset,
     tickedBy(kDefaultValenceTicks.spHbe)},
    {SHOWN(lbls_p_lbe, Label), "frmValenceElectrons", "s+p(lbe)", 50, 600, 972, 288, arial(7.5), kSilver},
    {KEPT(txt_s_p_lbe, TextBox), "frmValenceElectrons", "", 672, 600, 400, 288, arial(7.5)},
    {KEPT(chk_S_P_lbe, CheckBox), "frmValenceElectrons", "", 1104, 564, 300, 285, {}, kSilver, kUnset,
     tickedBy(kDefaultValenceTicks.spLbe)},
    {SHOWN(lbl_d, Label), "frmValenceElectrons", " d :", 50, 876, 372, 288, arial(7.5), kSilver},
    {KEPT(txt_d, TextBox), "frmValenceElectrons", "", 672, 876, 400, 288, arial(7.5)},
    {KEPT(chk_d, CheckBox), "frmValenceElectrons", "", 1104, 876, 300, 240, {}, kSilver, kUnset,
     tickedBy(kDefaultValenceTicks.d)},
    {SHOWN(lbl_f, Label), "frmValenceElectrons", " f :", 50, 1116, 372, 288, arial(7.5), kSilver},
    {KEPT(txt_f, TextBox), "frmValenceElectrons", "", 672, 1135, 400, 288, arial(7.5)},
    {KEPT(chk_f, CheckBox), "frmValenceElectrons", "", 1104, 1116, 300, 240, {}, kSilver, kUnset,
     tickedBy(kDefaultValenceTicks.f)},
    {SHOWN(ldl_Total, Label), "frmValenceElectrons", "Total :", 50, 1476, 612, 288, arial(7.5), kSilver},
    {SHOWN(Line4, Line), "frmValenceElectrons", "", -240, 1650, 960, 1650, {}, kUnset, kDarkRed}, // over "Total :"
    {KEPT(txt_Val_El_Total, TextBox), "frmValenceElectrons", "", 672, 1476, 400, 288, arial(7.5),
     kUnset, kUnset, Disabled},
    {SHOWN(Line1, Line), "frmMaterialParam", "", 2076, 680, 2410, 680, {}, kUnset, kDarkRed},
    {SHOWN(Line2, Line), "frmMaterialParam", "", 2400, 680, 2400, 1900, {}, kUnset, kDarkRed},
    {SHOWN(Line3, Line), "frmMaterialParam", "", 2400, 1890, 2760, 1890, {}, kUnset, kDarkRed},

    {KEPT(adoMaterials, DataControl), nullptr, "Materials", 5820, 360, 2295, 330, verdana(7.5),
     systemColour(5), systemColour(8)},
    {KEPT(dgrdName, Grid), nullptr, "", 5850, 690, 2295, 7215, verdana(9), kUnset, kUnset, None, arial(9.75, true)},

    // Editing buttons
    {KEPT(cmdNew, Button), nullptr, "&New Material", 120, 4590, 1550, 280, arial(9, true)},
    {KEPT(cmdChangeParam, Button), nullptr, "Change material parameters", 1760, 4590, 2600, 280, arial(9, true)},
    {KEPT(cmdDelete, Button), nullptr, "&Delete Material", 120, 4950, 1550, 280, arial(9, true)},
    {KEPT(cmdSave, Button), nullptr, "Save", 1920, 4950, 852, 280, arial(9, true)},
    {KEPT(cmdAdd_New_material_Example, Button), nullptr, "Example", 3000, 4950, 975, 280},
    {KEPT(cmdClose, Button), nullptr, "&Close", 240, 7920, 1092, 372, arial(10.5, true)},
    {SHOWN(Line6, Line), nullptr, "", 180, 5370, 5760, 5370, {}, kUnset, kWindowText, ThickLine},

    // Elastic-scattering entry
    {KEPT(cmdCalc_CF, Button), nullptr, "Calculate Elastic scattering correction factor CF",
     60, 5580, 4250, 360, arial(9, true)},
    {SHOWN(Line8, Line), nullptr, "", 4230, 5715, 4470, 5715, {}, kUnset, kWindowText},
    {KEPT(cmdInfo_3, Button), nullptr, "Understand the XPS intensity", 4380, 5580, 1530, 560},

    // Information area
    {KEPT(frmInfo, Frame), nullptr, "Information", 8280, 120, 3750, 3960, verdana(9), kTeal, kWhite},
    {KEPT(txtInfo1, MultiLineText), "frmInfo", "", 80, 240, 3600, 3225, verdana(8.25), kCyan, kBlack},
    {KEPT(frmGuide, Frame), nullptr, "", 8380, 3600, 3580, 400, arial(9.75, true), kCyan},
    {KEPT(cmdUsersGuide, Button), "frmGuide", "Users' Guide", 240, 80, 1455, 265, arial(9.75, true)},
    {KEPT(cmdAccuracy, Button), "frmGuide", "Accuracy", 2040, 80, 1215, 265, arial(9.75, true)},
    {KEPT(Frame2, Frame), nullptr, "Accuracy", 8250, 4320, 3780, 3960, verdana(9.75), kTeal, kWhite, Hidden},
    {KEPT(txtInfo3, MultiLineText), "Frame2", "", 80, 220, 3660, 3660, verdana(8.25), kWhite, kBlack, VScroll},
    {KEPT(Frame1, Frame), nullptr, "Users' Guide", 8250, 4350, 3765, 3960, verdana(9.75), kTeal, kWhite, Hidden},
    {KEPT(txtInfo2, MultiLineText), "Frame1", "", 80, 240, 3660, 3615, verdana(7.5), kUnset, kUnset, VScroll},

    // Messages over the material parameters
    {KEPT(txtProcess, MultiLineText), nullptr, "", 1680, 3360, 4845, 720, arial(9, true), kDarkRed, kWhite, Hidden},
    {KEPT(txtError, TextBox), nullptr, kErrorText, 840, 3600, 4935, 375, arial(9, true), kDarkRed, kWhite, Hidden},
    // Designed in Calibri 9: Carlito spaces its lines wider than the classic
    // box does, and the last of the four lines is cut off; at 8.25 all show.
    {KEPT(txt_outside_valid_energy_range, MultiLineText), nullptr, kRangeNote, 3600, 480, 2175, 975,
     calibri(8.25), rgb(255, 224, 192), kUnset, Hidden},

    // Elastic-scattering panels, bottom to top
    {KEPT(frameElastic1, Frame), nullptr, kFrameElastic, 2040, 6600, 3000, 1695, verdana(9), kGrey, kWhite, Hidden},
    {SHOWN(Label7, Label), "frameElastic1", "1. Depth=", 150, 360, 900, 285},
    {KEPT(txtDepth1, TextBox), "frameElastic1", "10", 1140, 330, 525, 330},
    {SHOWN(Label6, Label), "frameElastic1", " \u00C5", 1680, 360, 255, 285},
    {KEPT(lblCF1, Label), "frameElastic1", "2. Calc CF =", 165, 840, 1065, 285, {}, kSilver, kBlack},
    {KEPT(txtCF1, TextBox), "frameElastic1", "", 1320, 810, 615, 330},
    {KEPT(Command2, Button), "frameElastic1", "Close", 2070, 1350, 735, 280},

    {KEPT(frameElastic, Frame), nullptr, kFrameElastic, 60, 6020, 4300, 780, {}, kUnset, kUnset, Hidden},
    {KEPT(cmdElastic1, Button), "frameElastic", "CF approx 1", 180, 260, 1200, 300},
    {KEPT(cmdElastic2, Button), "frameElastic", "CF approx 2", 1500, 260, 1200, 300},
    {KEPT(cmdInfo_0, Button), "frameElastic", "Info", 2820, 240, 525, 330, arial(8.25, true)},
    {KEPT(Command3, Button), "frameElastic", "Close", 3480, 270, 675, 285},

    {KEPT(frameElastic2, Frame), nullptr, kFrameElastic, 5160, 6480, 4785, 2385, verdana(9), kGrey, kWhite, Hidden},
    // Designed in the window's Arial 9, the instruction needs three lines of
    // Liberation Sans where two fit; at 8.25 it takes two.
    {SHOWN(lblTrCrSct, Label), "frameElastic2", "1. Input the value for Transp Cross Sect. From NIST SRD64",
     120, 270, 2385, 495, arial(8.25)},
    {KEPT(txtTrXsct, TextBox), "frameElastic2", "1", 2580, 270, 825, 375},
    {KEPT(cmdCalc1, Button), "frameElastic2", "2. Calc TrMFP and EffTrMFP", 120, 900, 2400, 345, {}, kSilver},
    {SHOWN(lblTrMFP, Label), "frameElastic2", "TrMFP =", 2580, 810, 960, 225},
    {KEPT(txtTrMFP, TextBox), "frameElastic2", "10", 3570, 750, 975, 330},
    {SHOWN(lbEfflTrMFP, Label), "frameElastic2", "EffTrMFP=", 2580, 1080, 960, 255},
    {KEPT(txtEffTrMFP, TextBox), "frameElastic2", "10", 3570, 1050, 975, 330},
    {SHOWN(Line7, Line), "frameElastic2", "", 30, 1470, 4770, 1470, {}, kUnset, kWhite},
    {SHOWN(lblDepth, Label), "frameElastic2", "3. Depth=", 120, 1530, 900, 280},
    {KEPT(txtDepth, TextBox), "frameElastic2", "10", 1050, 1500, 525, 330},
    {SHOWN(Label5, Label), "frameElastic2", " \u00C5", 1590, 1530, 255, 285},
    {KEPT(lblCF2, Label), "frameElastic2", "4. Calc CF =", 120, 1950, 1000, 285, {}, kSilver, kBlack},
    {KEPT(txtCF2, TextBox), "frameElastic2", "", 1170, 1920, 675, 345},
    {KEPT(Command1, Button), "frameElastic2", "Close", 2700, 2040, 675, 285},

    // Information overlay, above everything when shown
    {KEPT(txtInfo, MultiLineText), nullptr, "txtInfo", 4320, 1080, 7425, 8295, verdana(8.25), kUnset, kUnset,
     Hidden | VScroll},
    {KEPT(cmdCloseInfo, Button), nullptr, "Close", 10440, 8880, 1005, 375, arial(9, true), kUnset, kUnset, Hidden},
});

#undef KEPT
#undef SHOWN
// clang-format on

static_assert(std::ranges::count_if(kControls, [](const ControlDesign& design) { return design.keep.kept; })
                      * sizeof(void*)
                  == sizeof(Form1Controls),
              "every member of Form1Controls is kept by one row of the table");

constexpr std::array kTabOrder = {
    "cmdExit",
    "txtElectronEnergy",
    "txtInfo1",
    "txtName",
    "cmdSave",
    "cmdClose",
    "cmdNew",
    "cmdDelete",
    "dgrdName",
    "cmdFind",
    "updEnergy",
    "cmdChangeParam",
    "txtBulkDensity",
    "txtNoValenceElectrprAtomorMolec",
    "txtAtomicMass",
    "txtEnergyGap",
    "txt_s_p_lbe",
    "chk_S_P_lbe",
    "chk_f",
    "chk_d",
    "chk_S_P_hbe",
    "txt_Val_El_Total",
    "txt_f",
    "txt_d",
    "txt_s_p_hbe",
    "txtProcess",
    "txtError",
    "txtInfo2",
    "txtInfo3",
    "cmdUsersGuide",
    "cmdAccuracy",
    "Opt_relativistic",
    "Opt_non_relativistic",
    "txtEffTrMFP",
    "txtTrXsct",
    "cmdCalc1",
    "txtCF2",
    "txtIMFP_2M",
    "txtTrMFP",
    "cmdCalc_CF",
    "Command1",
    "txtDepth",
    "cmdElastic1",
    "cmdElastic2",
    "txtDepth1",
    "txtCF1",
    "Command2",
    "txtInfo",
    "cmdInfo_0",
    "cmdCloseInfo",
    "cmdInfo_3",
    "Command3",
    "txt_outside_valid_energy_range",
    "cmdAdd_New_material_Example",
};

} // namespace

std::span<const ControlDesign> form1Controls()
{
    return kControls;
}

std::span<const char* const> form1TabOrder()
{
    return kTabOrder;
}

} // namespace korvane::ui
