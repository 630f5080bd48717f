#include "ui/about/InformationTexts.h"

#include "ui/about/TextPieces.h"

namespace korvane::ui::infotexts {

namespace {

constexpr const char* kCopyright = "Copyright (c) 2026 the Korvane authors";

// The pieces are numbered as the texts were first laid out; a number that
// appears on several rows is one piece of several lines or paragraphs.

// clang-format off
constexpr TextPiece kInformation[] = {
    /* 1 */ {"Korvane Ver. 4.2", Then::Break},
    /* 1 */ {"Inelastic electron mean free paths calculated from the TPP-2M formula", Then::Blank},
    /* 2 */ {"Non-relativistic: S. Tanuma, C. J. Powell and D. R. Penn,", Then::None},
    /* 3 */ {" Surf. Interface Anal. 21 (1994) 165.", Then::None},
    /* 4 */ {" Relativistic: H. Shinotsuka, S. Tanuma, C. J. Powell and D. R. Penn,"
             " Surf. Interface Anal. 47 (2015) 871.", Then::Blank},
    /* 5 */ {kCopyright, Then::Break},
    /* 5 */ {"Free software under the MIT License.", Then::Break},
    /* 5 */ {"Provided \"as is\", without warranty of any kind.", Then::End},
};

constexpr TextPiece kUsersGuide[] = {
    /* 6 */ {"To change the electron energy, click the up/down arrows, or click in the energy box and type "
             "a value.", Then::Blank},
    /* 7 */ {"To select a material, click it in the list of names or use the 'Find material' button.",
             Then::Blank},
    /* 7 */ {"You can switch between the relativistic and the non-relativistic formula.", Then::Blank},
    /* 8 */ {"The database can be changed with the buttons in the lower left part of the window: add a new "
             "material, delete a material, or change the parameters of an existing one. For a compound, add "
             "up the valence electrons of all its atoms, taking the numbers of the elements from this list.",
             Then::Blank},
    /* 9 */ {"Valence electrons are the electrons with a binding energy below about 30 eV. The database uses "
             "the numbers of valence electrons that the authors of the TPP-2M formula recommend.", Then::Blank},
    /* 10 */ {"For the elements the valence electrons are listed separately as s, p, d and f electrons.",
              Then::Break},
    /* 11 */ {"s + p(hbe) is the group of s+p electrons with the highest binding energy. It is left out when "
              "that binding energy is above 30 eV, as for Ti, whose 3s and 3p electrons lie deeper.",
              Then::Break},
    /* 12 */ {"s + p(lbe) is the group of s+p electrons with the lowest binding energy.", Then::None},
    /* 13 */ {" Single groups of electrons can be unticked to see their effect on the IMFP.", Then::Blank},
    /* 13 */ {"For compound materials the valence electrons of all elements are added up, and for "
              "convenience the total is placed in the f-electron box.", Then::End},
};

constexpr TextPiece kAccuracy[] = {
    /* 1 */ {"The TPP-2M formula gives a well-defined IMFP for any solid when a set of recommended numbers "
             "of valence electrons is used for all elements.", Then::Blank},
    /* 2 */ {"Its general accuracy is not known. The typical absolute accuracy is estimated at about 20 %. "
             "The relative accuracy, that is the ratio of the IMFPs of one solid at two energies, is likely "
             "much better, possibly better than 10 % even for widely different energies.", Then::Blank},
    /* 3 */ {"In many practical applications of electron spectroscopy to the analysis of nano-structures the "
             "exact IMFP value matters less: another value scales all lengths, while the relative lengths "
             "hardly change.", Then::Blank},
    /* 4 */ {"Accurate absolute quantification uses reference samples for normalisation.", Then::End},
};

constexpr TextPiece kElasticScattering[] = {
    /* 1 */ {"Video 8 of an online video series on XPS analysis explains when a correction for elastic "
             "electron scattering is needed.", Then::Blank},
    /* 2 */ {"The video shows how the change in the XPS peak intensity from a layer of atoms at depth z, "
             "caused by elastic electron scattering, is described by a correction factor CF "
             "(Ref.[1] and Ref.[2]).", Then::Break},
    /* 3 */ {"Section 2.A of Ref.[3], on the correction for elastic scattering effects, describes two simple "
             "approximations to CF, one of them slightly more accurate than the other.", Then::Blank},
    /* 4 */ {"For a practical application, see video 9 of the same series. To follow it, watch video 8, "
             "then video 6, then video 9.", Then::Blank},
    /* 5 */ {"This program offers these two approximations to compute CF as a function of the depth z.",
             Then::Blank},
    /* 6 */ {"Approximation 1 computes CF from the IMFP, using a nearly unique general relation between CF "
             "and the IMFP (see the figures in Ref.[1] and Ref.[3]).", Then::TwoBlanks},
    /* 7 */ {"Approximation 2 computes CF from the IMFP and the TrMFP, using a nearly unique general "
             "relation between CF and the effective transport mean free path EffTrMFP (see the figures in "
             "Ref.[1] and Ref.[3]).", Then::Blank},
    /* 8 */ {"Approximation 2 is slightly more accurate, but it needs a value of the transport cross "
             "section to compute TrMFP and EffTrMFP.", Then::Break},
    /* 9 */ {"The transport cross section can be taken from the NIST SRD64 database, which can be "
             "downloaded.", Then::TwoBlanks},
    /* 10 */ {"The approximations hold for emission angles up to about 30 degrees from the surface normal "
              "(Ref.[2]).", Then::Blank},
    /* 11 */ {"The accuracy of CF is about \u00B10.1 for approximation 1 and \u00B10.05 for "
              "approximation 2.", Then::Blank},
    /* 12 */ {"Ref.[1]: Surf. Interface Anal. (1998): a depth-dependent correction factor for elastic "
              "electron scattering in AES and XPS, tested against Monte Carlo simulations.", Then::Break},
    /* 13 */ {"Ref.[2]: Surf. Interface Anal. (1998): a practical correction formula for elastic electron "
              "scattering in the attenuation of photoelectrons and Auger electrons, and the emission angles "
              "for which it holds.", Then::Break},
    /* 14 */ {"Ref.[3]: J. Vac. Sci. Technol. A (2021): a practical guide to quantitative XPS analysis with "
              "inelastic backgrounds; its section 2.A treats the correction for elastic scattering effects.",
              Then::End},
};

constexpr TextPiece kWorkedExamples[] = {
    /* 1 */ {"Examples that show how to add a new material.", Then::Blank},
    /* 2 */ {"Example: SiO2", Then::Break},
    /* 3 */ {"First look up Si and O in this program to find their number of valence electrons Nv and their "
             "atomic mass M.", Then::Break},
    /* 4 */ {"Nv is 4 for Si and 6 for O, so Nv for SiO2 = 4 + 2*6 = 16", Then::Break},
    /* 5 */ {" M is 28.08 for Si and 16 for O, so M for SiO2 = 28.08 + 2*16 = 60.08", Then::Break},
    /* 6 */ {"From an outside source (a web search, for instance): the bulk density of SiO2 is 2.65 g/cm3 "
             "and its band gap is 9.1 eV.", Then::Blank},
    /* 7 */ {"Put in the values.", Then::Break},
    /* 8 */ {"You can check your entries by looking up SiO2 in this program.", Then::TwoBlanks},
    /* 9 */ {"Example: Cu2O.", Then::Break},
    /* 10 */ {"First look up Cu and O to find Nv and M.", Then::Break},
    /* 11 */ {"Nv is 11 for Cu and 6 for O, so Nv for Cu2O = 2*11 + 6 = 28", Then::Break},
    /* 12 */ {"M is 63.5 for Cu and 16 for O, so M for Cu2O = 2*63.5 + 16 = 143", Then::Blank},
    /* 13 */ {"From an outside source: the bulk density of Cu2O is 6 g/cm3 and its band gap is 2.2 eV.",
              Then::Break},
    /* 14 */ {"Put in the values; you can check them by looking up Cu2O in this program.", Then::Blank},
    /* 15 */ {"Varying the band gap shows that the IMFP hardly depends on it unless the gap is above about "
              "3 eV. This is why the gap is often set to 0 for compounds with a small gap.", Then::End},
};
// clang-format on

} // namespace

QString information()
{
    return joinPieces(kInformation);
}

QString usersGuide()
{
    return joinPieces(kUsersGuide);
}

QString accuracy()
{
    return joinPieces(kAccuracy);
}

QString elasticScattering()
{
    return joinPieces(kElasticScattering);
}

QString workedExamples()
{
    return joinPieces(kWorkedExamples);
}

std::array<QString, 8> aboutLines()
{
    return {
        QStringLiteral("Korvane Ver 2.3"),
        QStringLiteral("Calculation of inelastic electron mean free path by the TPP2M formula"),
        QString::fromLatin1(kCopyright),
        QStringLiteral("Licensed under the MIT License"),
        QStringLiteral("Free to use, copy, modify and distribute,"),
        QStringLiteral("provided this notice is kept."),
        QStringLiteral("This program is provided \"as is\", without"),
        QStringLiteral("warranty of any kind, express or implied."),
    };
}

} // namespace korvane::ui::infotexts
