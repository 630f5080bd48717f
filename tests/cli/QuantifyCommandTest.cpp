#include "Tpp2mRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <utility>

namespace korvane::test {
namespace {

// The arguments of a command line split at blanks outside double quotes, as a shell does.
QStringList shellWords(const std::string& line)
{
    QStringList words;
    QString word;
    bool quoted = false, started = false;
    for (const QChar c : QString::fromStdString(line)) {
        if (c == u'"') {
            quoted = !quoted;
            started = true;
        } else if (c == u' ' && !quoted) {
            if (started)
                words.push_back(std::exchange(word, {}));
            started = false;
        } else {
            word += c;
            started = true;
        }
    }
    if (started)
        words.push_back(word);
    return words;
}

class QuantifyCommandTest : public Tpp2mFixture {
protected:
    Tpp2mRun quantify(const std::string& line) { return run(shellWords("quantify " + line)); }

    std::string quantified(const std::string& line)
    {
        const Tpp2mRun result = quantify(line);
        EXPECT_EQ(result.status, 0) << line;
        EXPECT_EQ(result.err.toStdString(), "") << line;
        return result.out.toStdString();
    }
};

// Every factor in its column: W of beta 1 and 2 at 60°, T = E^-0.5, the
// SiC layer's O at 30° from the normal; the slower O 1s loses more in it.
TEST_F(QuantifyCommandTest, EveryFactorOfEachPeakInItsColumn)
{
    EXPECT_EQ(quantified("SiO2 --source AlKa --peak \"Si 2p=300\" --peak \"O 1s=900\" --layer SiC:10 --angle 30 "
                         "--source-angle 60 --beta \"Si 2p=1.0\" --transmission-exponent 0.5 --csv"),
              "line,element,binding_energy_eV,kinetic_energy_eV,area,cross_section_b,asymmetry,angular_factor,imfp_A,"
              "transmission,overlayer_attenuation,sensitivity,atomic_percent,error\n"
              "Si 2p,Si,98.9,1387.7,300,11148.591,1,1.0625,37.5444,0.026844308,0.67070675,8007.1685,49.957134,\n"
              "O 1s,O,532,954.6,900,39967.617,2,1.125,28.105362,0.03236602,0.5862952,23980.354,50.042866,\n");
    // At the magic angle a level without beta has W = 1 and no beta; its IMFP is imfp's.
    const QJsonArray rows =
        QJsonDocument::fromJson(QByteArray::fromStdString(quantified("Cu2O --source MgKa --peak \"Cu 2p3/2=1000\" "
                                                                     "--peak \"O 1s=250\" --relativistic --json")))
            .array();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0]["asymmetry"], QJsonValue::Null);
    EXPECT_EQ(rows[0]["angular_factor"].toDouble(), 1);
    EXPECT_EQ(rows[0]["kinetic_energy_eV"].toDouble(), 322.5);
    EXPECT_NE(run(shellWords("imfp Cu2O --line \"Cu 2p3/2\" --source MgKa --relativistic --csv"))
                  .out.toStdString()
                  .find(",8.60019,"),
              std::string::npos);
    EXPECT_EQ(rows[0]["imfp_A"].toDouble(), 8.60019);
    EXPECT_NEAR(rows[0]["atomic_percent"].toDouble() + rows[1]["atomic_percent"].toDouble(), 100, 1e-4);
}

TEST_F(QuantifyCommandTest, BadInputExitsTwoWithOneLine)
{
    const std::string matrix = "Cu2O --source AlKa ";
    const std::pair<std::string, std::string> refused[] = {
        {matrix + "--peak \"Xx 1s=3\"", "--peak \"Xx 1s\": unknown element \"Xx\""},
        {matrix + "--peak \"Cu 9z=3\"",
         "--peak \"Cu 9z\": unknown level \"9z\" (levels are written 1s, 2s, 2p1/2, 2p3/2, ... 4f7/2, 5s ..., or 2p, "
         "3d, 4f for the stronger component)"},
        {matrix + "--peak \"Cu 1s=3\"",
         "--peak \"Cu 1s\": its binding energy 8978.9 eV is not below the photon energy 1486.6 eV"},
        {matrix + "--peak \"O 1s=-3\"", "--peak \"O 1s\": the area must be above 0 (got -3)"},
        {matrix + "--peak \"O 1s=abc\"", "--peak: \"abc\" is not a number"},
        {matrix, "no peak to quantify: give --peak \"LINE=AREA\""},
        {matrix + "--peak \"O 1s=3\" --peak \"Cu 2p=1\" --peak \"Cu 3p=1\"",
         "--peak \"Cu 3p\": a second peak of Cu: give one peak per element"},
        {matrix + "--peak \"O 1s=3\" --beta \"O 1s=3\"",
         "--beta \"O 1s\": the asymmetry parameter must be from -1 to 2"},
        {matrix + "--peak \"O 1s=3\" --beta \"Cu 2p=1\"", "--beta \"Cu 2p\": no --peak of that line"},
        {matrix + "--peak \"O 1s=3\" --source-angle 0",
         "--peak \"O 1s\": no photoelectrons leave towards the analyser (W = 0 at --source-angle 0 with asymmetry 2)"},
        {matrix + "--peak \"Cu 2p=3\" --source-angle 40",
         "--peak \"Cu 2p\": a level other than s needs its asymmetry parameter --beta \"Cu 2p=BETA\" away from the "
         "magic angle (--source-angle 40)"},
        {matrix + "--peak \"O 1s=3\" --relativistic both",
         "quantify takes one form of the formula: --relativistic without \"both\""},
        {"Cu2O SiO2 --source AlKa --peak \"O 1s=2\"", "quantify takes one material, the sample's matrix"},
        {"--source AlKa --peak \"O 1s=2\"",
         "quantify needs a material: a name, an ID, --formula or --density --mass --gap --nv"},
        {"Cu2O --peak \"O 1s=2\"", "--peak needs --source (MgKa, AlKa, AgLa, CrKa, GaKa) or --photon-energy"},
    };
    for (const auto& [command, words] : refused)
        expectRefused(quantify(command), 2, QString::fromStdString(words), command);
}

} // namespace
} // namespace korvane::test
