#include "fanno_window.h"

#include "fanno_calc.h"

#include <QLineEdit>
#include <QRadioButton>

#include <array>

namespace {

using common::ControlSpec;
using common::Kind;

// The controls in tab order: name, kind, container, left, top, width, height (twips), caption,
// accessible name, hidden at start.
const ControlSpec controls[] = {
    { "Frame1", Kind::Frame, nullptr, 3720, 0, 3135, 855, "", "ratios to the choking state", true },
    { "Text_TTstar", Kind::TextBox, "Frame1", 120, 480, 735, 285, "", "temperature ratio T/T*", false },
    { "Text_RoRoStar", Kind::TextBox, "Frame1", 1560, 480, 735, 285, "", "density ratio ρ/ρ*", false },
    { "Text_PoPoStar", Kind::TextBox, "Frame1", 2280, 480, 735, 285, "", "stagnation pressure ratio Po/Po*", false },
    { "Label_TTstar", Kind::Label, "Frame1", 240, 240, 615, 255, "T/T*", "temperature ratio T/T*", false },
    { "Label_PPstar", Kind::Label, "Frame1", 960, 240, 495, 255, "p/p*", "pressure ratio p/p*", false },
    { "Label_RoRoStar", Kind::Label, "Frame1", 1680, 240, 495, 255, "ρ / ρ*", "density ratio ρ/ρ*", false },
    { "Label_PoPoStar", Kind::Label, "Frame1", 2280, 240, 615, 255, "Po/Po*", "stagnation pressure ratio Po/Po*",
        false },
    { "Frame2", Kind::Frame, nullptr, 1200, 0, 2415, 855, "Input options", "input options", false },
    { "Option_M", Kind::Option, "Frame2", 240, 240, 615, 255, "M", "Mach number M", false },
    { "Option_FLD4", Kind::Option, "Frame2", 1320, 240, 880, 255, "4 f L*/D ", "friction parameter 4fL*/D", false },
    { "Command1", Kind::Button, nullptr, 0, 120, 1095, 735, "Coose an Input Option", "calculate", false },
    { "Text_Msub", Kind::TextBox, "Frame2", 120, 480, 615, 285, "", "Mach number M, or the subsonic Mach number",
        true },
    { "Text_Msup", Kind::TextBox, "Frame2", 720, 480, 615, 285, "", "supersonic Mach number", true },
    { "Text_FLD4", Kind::TextBox, "Frame2", 1440, 480, 615, 285, "", "friction parameter 4fL*/D", true },
    { "Text_PPstar", Kind::TextBox, "Frame1", 840, 480, 735, 285, "", "pressure ratio p/p*", false },
};

// The three boxes of the input frame, left to right.
constexpr std::array<const char*, 3> rowBoxes = { "Text_Msub", "Text_Msup", "Text_FLD4" };

// The stepping search, or the bracketed root that replaced it.
QString howFound(const fanno::MachSolution& solution)
{
    if (solution.bracketed)
        return QStringLiteral("bracketed root");
    return common::iterationNote("stepping search", solution.stepping.iteration);
}

} // namespace

FannoWindow::FannoWindow(common::GammaSource gamma, common::MessageSink messages, QWidget* parent)
    : CalculatorForm(
        "Form_FricFlo", "1D Flow with Friction", 7875, 945, controls, std::move(gamma), std::move(messages), parent)
{
    for (const char* name : { "Text_TTstar", "Text_PPstar", "Text_RoRoStar", "Text_PoPoStar" })
        setBackground(name, common::colour::frameGrey);
    nameQuantities(
        { { "Text_Msub", "M" }, { "Text_Msup", "M supersonic" }, { "Text_FLD4", "4fL*/D" }, { "Text_TTstar", "T/T*" },
            { "Text_PPstar", "p/p*" }, { "Text_RoRoStar", "ρ/ρ*" }, { "Text_PoPoStar", "Po/Po*" } });
    onOptionClicked("Option_M", [this] { chooseInput("Text_Msub"); });
    onOptionClicked("Option_FLD4", [this] { chooseInput("Text_FLD4"); });
}

// An option's row of the state table: the chosen box shown, blank and white, the other two boxes and
// the ratio frame hidden.
void FannoWindow::chooseInput(const char* chosenBox)
{
    setShown(chosenBox, true);
    box(chosenBox)->setText(" ");
    setBackground(chosenBox, common::colour::white);
    for (const char* name : rowBoxes) {
        if (name != chosenBox)
            setShown(name, false);
    }
    setShown("Frame1", false);
    setCaption("Input value then CLICK");
}

void FannoWindow::calculate()
{
    const std::optional<double> gama = readGamma();
    if (!gama)
        return;
    if (option("Option_M")->isChecked())
        calculateFromM(*gama);
    else if (option("Option_FLD4")->isChecked())
        calculateFromFLD4(*gama);
    else
        say(common::Message { "choose an input parameter" });
}

void FannoWindow::calculateFromM(double gama)
{
    const common::Result<fanno::FromM> result = fanno::fromM(gama, readBox("Text_Msub"));
    if (!result.ok()) {
        say(result.refusal());
        return;
    }
    const fanno::FromM& flow = result.value();
    setShown("Text_FLD4", true);
    setBackground("Text_FLD4", common::colour::grey);
    writeBox("Text_FLD4", flow.FLD4, 4);
    setShown("Frame1", true);
    writeBox("Text_TTstar", flow.ratios.TTstar, 4);
    writeBox("Text_PPstar", flow.ratios.PPstar, 4);
    writeBox("Text_RoRoStar", flow.ratios.RoRoStar, 4);
    writeBox("Text_PoPoStar", flow.ratios.PoPoStar, 4);
    announce(common::Answer { .gamma = gama, .flow = "fanno", .mach = flow.M });
}

void FannoWindow::calculateFromFLD4(double gama)
{
    const common::Result<fanno::FromFLD4> result = fanno::fromFLD4(gama, readBox("Text_FLD4"));
    if (!result.ok()) {
        say(result.refusal());
        return;
    }
    const fanno::FromFLD4& flow = result.value();
    setShown("Text_Msub", true);
    setBackground("Text_Msub", common::colour::grey);
    writeBox("Text_Msub", flow.Msub.M, 4, howFound(flow.Msub));
    if (flow.Msup) {
        setShown("Text_Msup", true);
        setBackground("Text_Msup", common::colour::grey);
        writeBox("Text_Msup", flow.Msup->M, 4, howFound(*flow.Msup));
    } else {
        setShown("Text_Msup", false);
    }
    if (flow.notice)
        say(*flow.notice);
    announce(common::Answer { .gamma = gama,
        .flow = "fanno",
        .mach = flow.Msub.M,
        .branch = "sub",
        .otherMach = flow.Msup ? std::optional<double>(flow.Msup->M) : std::nullopt });
}
