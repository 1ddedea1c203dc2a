#include "expansion_wave_window.h"

#include "expansion_wave_calc.h"

#include <QLineEdit>
#include <QRadioButton>

namespace {

using common::ControlSpec;
using common::Kind;

// The controls in tab order: name, kind, container, left, top, width, height (twips), caption,
// accessible name, hidden at start.
const ControlSpec controls[] = {
    { "Frame1", Kind::Frame, nullptr, 3720, 0, 2895, 855, "", "results across the wave", true },
    { "Text_Nu2", Kind::TextBox, "Frame1", 720, 480, 615, 285, "", "Prandtl-Meyer angle after the wave Nu2 in degrees",
        false },
    { "Label7", Kind::Label, "Frame1", 840, 240, 375, 255, "Nu2", "Prandtl-Meyer angle after the wave Nu2 in degrees",
        false },
    { "Frame2", Kind::Frame, nullptr, 1200, 0, 2415, 855, "Output options", "output options", false },
    { "Text_M1", Kind::TextBox, "Frame2", 120, 480, 615, 285, "", "upstream Mach number M1", true },
    { "Option_M1", Kind::Option, "Frame2", 120, 240, 615, 195, "M1", "compute the upstream Mach number M1", false },
    { "Option_Teta", Kind::Option, "Frame2", 840, 240, 735, 255, "Teta", "compute the turning angle Teta", false },
    { "Text_Teta", Kind::TextBox, "Frame2", 840, 480, 615, 285, "", "turning angle Teta in degrees", true },
    { "Option_M2", Kind::Option, "Frame2", 1560, 240, 615, 255, "M2", "compute the downstream Mach number M2", false },
    { "Text_M2", Kind::TextBox, "Frame2", 1560, 480, 615, 285, "", "downstream Mach number M2", true },
    { "Label6", Kind::Label, "Frame1", 360, 240, 375, 255, "Nu1", "Prandtl-Meyer angle before the wave Nu1 in degrees",
        false },
    { "Text_Nu1", Kind::TextBox, "Frame1", 120, 480, 615, 285, "", "Prandtl-Meyer angle before the wave Nu1 in degrees",
        false },
    { "Text_p2p1", Kind::TextBox, "Frame1", 1320, 480, 735, 285, "", "static pressure ratio p2/p1", false },
    { "Text_T2T1", Kind::TextBox, "Frame1", 2040, 480, 735, 285, "", "static temperature ratio T2/T1", false },
    { "Label4", Kind::Label, "Frame1", 1440, 240, 495, 255, "p2/p1", "static pressure ratio p2/p1", false },
    { "Label5", Kind::Label, "Frame1", 2160, 240, 495, 255, "T2/T1", "static temperature ratio T2/T1", false },
    { "Command1", Kind::Button, nullptr, 0, 120, 1095, 735, "Choose an Output option", "calculate", false },
};

} // namespace

ExpansionWaveWindow::ExpansionWaveWindow(common::GammaSource gamma, common::MessageSink messages, QWidget* parent)
    : CalculatorForm(
        "Form_ExpWave", "Expansion Wave", 6615, 990, controls, std::move(gamma), std::move(messages), parent)
{
    for (const char* name : { "Text_Nu1", "Text_Nu2", "Text_p2p1", "Text_T2T1" })
        setBackground(name, common::colour::frameGrey);
    nameQuantities({ { "Text_M1", "M1" }, { "Text_Teta", "Teta" }, { "Text_M2", "M2" }, { "Text_Nu1", "Nu1" },
        { "Text_Nu2", "Nu2" }, { "Text_p2p1", "p2/p1" }, { "Text_T2T1", "T2/T1" } });
    onOptionClicked("Option_M1", [this] { chooseOutput("Text_M1", "Text_M2", "Text_Teta"); });
    onOptionClicked("Option_Teta", [this] { chooseOutput("Text_Teta", "Text_M1", "Text_M2"); });
    onOptionClicked("Option_M2", [this] { chooseOutput("Text_M2", "Text_M1", "Text_Teta"); });
}

// An option's row of the state table: results hidden, the output's box hidden (it keeps its text), the
// two input boxes shown, white and empty.
void ExpansionWaveWindow::chooseOutput(const char* outputBox, const char* firstInput, const char* secondInput)
{
    setShown("Frame1", false);
    setShown(outputBox, false);
    for (const char* name : { firstInput, secondInput }) {
        setShown(name, true);
        setBackground(name, common::colour::white);
        box(name)->setText(QString());
    }
    setCaption("SET Input values than CLICK");
}

void ExpansionWaveWindow::calculate()
{
    using expansion_wave::Wave;
    const std::optional<double> gama = readGamma();
    if (!gama)
        return;

    // The computed quantity: its box, its field of the result and its decimals.
    struct Output {
        const char* box;
        double Wave::*value;
        int decimals;
    };
    common::Result<Wave> result = common::Message { "Choose an Output option" };
    Output output {};
    if (option("Option_M1")->isChecked()) {
        result = expansion_wave::findM1(*gama, readBox("Text_M2"), readBox("Text_Teta"));
        output = { "Text_M1", &Wave::M1, 3 };
    } else if (option("Option_Teta")->isChecked()) {
        result = expansion_wave::findTeta(*gama, readBox("Text_M1"), readBox("Text_M2"));
        output = { "Text_Teta", &Wave::Teta, 2 };
    } else if (option("Option_M2")->isChecked()) {
        result = expansion_wave::findM2(*gama, readBox("Text_M1"), readBox("Text_Teta"));
        output = { "Text_M2", &Wave::M2, 3 };
    }
    if (!result.ok()) {
        say(result.refusal());
        return;
    }

    const Wave& wave = result.value();
    setShown(output.box, true);
    setBackground(output.box, common::colour::grey);
    // A sought Mach number comes from the Newton iteration, or from the bracketed root that replaced it.
    QString how;
    if (wave.fallback)
        how = QStringLiteral("bracketed root");
    else if (wave.iteration)
        how = common::iterationNote("Newton iteration", *wave.iteration);
    writeBox(output.box, wave.*output.value, output.decimals, how);
    setShown("Frame1", true);
    writeBox("Text_Nu1", wave.Nu1, 2);
    writeBox("Text_Nu2", wave.Nu2, 2);
    writeBox("Text_p2p1", wave.p2p1, 3);
    writeBox("Text_T2T1", wave.T2T1, 3);
    common::Answer answer { .gamma = *gama, .flow = "prandtl-meyer", .mach = wave.M1 };
    answer.theta = wave.Teta;
    announce(answer);
}
