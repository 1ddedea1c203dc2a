#include "isentropic_window.h"

#include "isentropic_calc.h"

#include <QLineEdit>
#include <QRadioButton>

#include <array>
#include <string_view>

namespace {

using common::ControlSpec;
using common::Kind;

// The controls in tab order: name, kind, container, left, top, width, height (twips), caption,
// accessible name, hidden at start.
const ControlSpec controls[] = {
    { "Frame1", Kind::Frame, nullptr, 5040, 0, 975, 855, "", "stagnation to static density ratio", true },
    { "Text_RoR", Kind::TextBox, "Frame1", 120, 480, 735, 285, "", "stagnation to static density ratio ρo/ρ", false },
    { "Label_RoR", Kind::Label, "Frame1", 240, 240, 495, 255, "ρo/ρ", "stagnation to static density ratio ρo/ρ",
        false },
    { "Frame4", Kind::Frame, nullptr, 1200, 0, 3735, 855, "Input Options", "input options", false },
    { "Option_M", Kind::Option, "Frame4", 120, 240, 615, 195, "M", "Mach number M", false },
    { "Option_PoP", Kind::Option, "Frame4", 840, 240, 735, 255, "Po/P", "stagnation to static pressure ratio Po/P",
        false },
    { "Option_ToT", Kind::Option, "Frame4", 1560, 240, 735, 195, "To/T", "stagnation to static temperature ratio To/T",
        false },
    { "Command1", Kind::Button, nullptr, 0, 120, 1095, 735, "Choose an input option", "calculate", false },
    { "Text_M", Kind::TextBox, "Frame4", 120, 480, 615, 285, "", "Mach number M", true },
    { "Text_PoP", Kind::TextBox, "Frame4", 840, 480, 615, 285, "", "stagnation to static pressure ratio Po/P", true },
    { "Text_ToT", Kind::TextBox, "Frame4", 1560, 480, 615, 285, "", "stagnation to static temperature ratio To/T",
        true },
    { "Option_Nu", Kind::Option, "Frame4", 2280, 240, 495, 255, "ν", "Prandtl-Meyer angle nu in degrees", false },
    { "Text_Nu", Kind::TextBox, "Frame4", 2280, 480, 615, 285, "", "Prandtl-Meyer angle nu in degrees", true },
    { "Option_Mu", Kind::Option, "Frame4", 3000, 240, 495, 255, "μ", "Mach angle mu in degrees", false },
    { "Text_Mu", Kind::TextBox, "Frame4", 3000, 480, 615, 285, "", "Mach angle mu in degrees", true },
};

// The five boxes under the options, left to right.
constexpr std::array<const char*, 5> rowBoxes = { "Text_M", "Text_PoP", "Text_ToT", "Text_Nu", "Text_Mu" };

} // namespace

IsentropicWindow::IsentropicWindow(common::GammaSource gamma, common::MessageSink messages, QWidget* parent)
    : CalculatorForm(
        "Form_IseFlow", "Isentropic Flow", 6765, 975, controls, std::move(gamma), std::move(messages), parent)
{
    setBackground("Text_RoR", common::colour::frameGrey);
    nameQuantities({ { "Text_M", "M" }, { "Text_PoP", "Po/P" }, { "Text_ToT", "To/T" }, { "Text_Nu", "ν" },
        { "Text_Mu", "μ" }, { "Text_RoR", "ρo/ρ" } });
    onOptionClicked("Option_M", [this] { chooseInput("Text_M"); });
    onOptionClicked("Option_PoP", [this] { chooseInput("Text_PoP"); });
    onOptionClicked("Option_ToT", [this] { chooseInput("Text_ToT"); });
    onOptionClicked("Option_Nu", [this] { chooseInput("Text_Nu"); });
    onOptionClicked("Option_Mu", [this] { chooseInput("Text_Mu"); });
}

// An option's row of the state table: results hidden, only the chosen box shown, blank and white.
void IsentropicWindow::chooseInput(const char* chosenBox)
{
    const std::string_view chosen(chosenBox);
    setShown("Frame1", false);
    for (const char* name : rowBoxes)
        setShown(name, name == chosen);
    box(chosenBox)->setText(" ");
    for (const char* name : rowBoxes)
        setBackground(name, name == chosen ? common::colour::white : common::colour::grey);
    setCaption("Input value then CLICK");
}

void IsentropicWindow::calculate()
{
    const std::optional<double> gama = readGamma();
    if (!gama)
        return;

    common::Result<isentropic::Flow> result = common::Message { "choose an input parameter" };
    const char* input = nullptr;
    if (option("Option_M")->isChecked())
        result = isentropic::fromM(*gama, readBox(input = "Text_M"));
    else if (option("Option_PoP")->isChecked())
        result = isentropic::fromPoP(*gama, readBox(input = "Text_PoP"));
    else if (option("Option_ToT")->isChecked())
        result = isentropic::fromToT(*gama, readBox(input = "Text_ToT"));
    else if (option("Option_Nu")->isChecked())
        result = isentropic::fromNu(*gama, readBox(input = "Text_Nu"));
    else if (option("Option_Mu")->isChecked())
        result = isentropic::fromMu(*gama, readBox(input = "Text_Mu"));
    if (!result.ok()) {
        say(result.refusal());
        return;
    }

    const isentropic::Flow& flow = result.value();
    for (const char* name : { "Text_M", "Text_PoP", "Text_ToT" })
        setShown(name, true);
    // The Mach number of an entered Prandtl-Meyer angle is found by Newton iteration.
    const bool fromNu = std::string_view(input) == "Text_Nu";
    writeBox("Text_M", flow.M, 4, fromNu ? common::iterationNote("Newton iteration", flow.iteration) : QString());
    writeBox("Text_PoP", flow.PoP, 4);
    writeBox("Text_ToT", flow.ToT, 4);
    setShown("Frame1", true);
    writeBox("Text_RoR", flow.RoR, 4);
    const bool angles = flow.nu.has_value();
    setShown("Text_Nu", angles);
    setShown("Text_Mu", angles);
    if (angles) {
        writeBox("Text_Nu", *flow.nu, 3);
        writeBox("Text_Mu", *flow.mu, 3);
    }
    // The chosen box is written back from the Mach number but stays the input box.
    markInput(input);
    announce(common::Answer { .gamma = *gama, .flow = "isentropic", .mach = flow.M });
}
