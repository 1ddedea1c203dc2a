#include "normal_shock_window.h"

#include "normal_shock_calc.h"

#include <QLineEdit>
#include <QRadioButton>

#include <array>

namespace {

using common::ControlSpec;
using common::Kind;

constexpr int decimals = 5;

// The controls in tab order: name, kind, container, left, top, width, height (twips), caption,
// accessible name, hidden at start.
const ControlSpec controls[] = {
    { "Frame1", Kind::Frame, nullptr, 3720, 0, 3135, 855, "", "ratios across the shock", true },
    { "Label_P2P1", Kind::Label, "Frame1", 240, 240, 495, 255, "P2/P1", "static pressure ratio P2/P1", false },
    { "Text_P2P1", Kind::TextBox, "Frame1", 120, 480, 735, 285, "", "static pressure ratio P2/P1", false },
    { "Label_Po2Po1", Kind::Label, "Frame1", 2280, 240, 615, 255, "Po2/Po1", "total pressure ratio Po2/Po1", false },
    { "Label_T2T1", Kind::Label, "Frame1", 1680, 240, 495, 255, "T2/T1", "static temperature ratio T2/T1", false },
    { "Text_T2T1", Kind::TextBox, "Frame1", 1560, 480, 735, 285, "", "static temperature ratio T2/T1", false },
    { "Frame3", Kind::Frame, nullptr, 1200, 0, 2415, 855, "Input Options", "input options", false },
    { "Option_M1", Kind::Option, "Frame3", 120, 240, 615, 255, "M1", "upstream Mach number M1", false },
    { "Option_M2", Kind::Option, "Frame3", 840, 240, 615, 255, "M2", "downstream Mach number M2", false },
    { "Option_Po2P1", Kind::Option, "Frame3", 1440, 240, 855, 255, "po2/p1",
        "total pressure behind the shock over static pressure ahead of it Po2/P1", false },
    { "Command1", Kind::Button, nullptr, 0, 120, 1095, 735, "Choose an input option", "calculate", false },
    { "Label_Ro2Ro1", Kind::Label, "Frame1", 960, 240, 495, 255, "ρ2/ρ1", "density ratio rho2/rho1", false },
    { "Text_Ro2Ro1", Kind::TextBox, "Frame1", 840, 480, 735, 285, "", "density ratio rho2/rho1", false },
    { "Text_M1", Kind::TextBox, "Frame3", 120, 480, 615, 285, "", "upstream Mach number M1", true },
    { "Text_M2", Kind::TextBox, "Frame3", 840, 480, 615, 285, "", "downstream Mach number M2", true },
    { "Text_Po2Po1", Kind::TextBox, "Frame1", 2280, 480, 735, 285, "", "total pressure ratio Po2/Po1", false },
    { "Text_Po2P1", Kind::TextBox, "Frame3", 1560, 480, 615, 285, "",
        "total pressure behind the shock over static pressure ahead of it Po2/P1", true },
};

// The three boxes under the options, left to right.
constexpr std::array<const char*, 3> rowBoxes = { "Text_M1", "Text_M2", "Text_Po2P1" };

} // namespace

NormalShockWindow::NormalShockWindow(common::GammaSource gamma, common::MessageSink messages, QWidget* parent)
    : CalculatorForm("Form_NmShock", "Normal Shock", 7890, 930, controls, std::move(gamma), std::move(messages), parent)
{
    for (const char* name : { "Text_Po2Po1", "Text_Ro2Ro1", "Text_T2T1", "Text_P2P1" })
        setBackground(name, common::colour::frameGrey);
    nameQuantities({ { "Text_M1", "M1" }, { "Text_M2", "M2" }, { "Text_Po2P1", "Po2/P1" }, { "Text_P2P1", "P2/P1" },
        { "Text_Ro2Ro1", "ρ2/ρ1" }, { "Text_T2T1", "T2/T1" }, { "Text_Po2Po1", "Po2/Po1" } });
    onOptionClicked("Option_M1", [this] { chooseInput("Text_M1"); });
    onOptionClicked("Option_M2", [this] { chooseInput("Text_M2"); });
    onOptionClicked("Option_Po2P1", [this] { chooseInput("Text_Po2P1"); });
}

// An option's row of the state table: only the chosen box shown, blank and white. The result frame and
// the boxes hidden here keep what they hold.
void NormalShockWindow::chooseInput(const char* chosenBox)
{
    for (const char* name : rowBoxes)
        setShown(name, name == chosenBox);
    box(chosenBox)->setText(" ");
    setBackground(chosenBox, common::colour::white);
    setCaption("SET input value then CLICK");
}

void NormalShockWindow::showComputed(const char* name)
{
    setShown(name, true);
    setBackground(name, common::colour::grey);
}

void NormalShockWindow::calculate()
{
    const std::optional<double> gama = readGamma();
    if (!gama)
        return;

    const bool fromM1 = option("Option_M1")->isChecked();
    const bool fromM2 = !fromM1 && option("Option_M2")->isChecked();
    common::Result<normal_shock::Shock> result = common::Message { "Choose an input option" };
    if (fromM1)
        result = normal_shock::fromM1(*gama, readBox("Text_M1"));
    else if (fromM2)
        result = normal_shock::fromM2(*gama, readBox("Text_M2"));
    else if (option("Option_Po2P1")->isChecked())
        result = normal_shock::fromPo2P1(*gama, readBox("Text_Po2P1"));
    if (!result.ok()) {
        say(result.refusal());
        return;
    }

    const normal_shock::Shock& shock = result.value();
    if (fromM1) {
        showComputed("Text_M2");
        writeBox("Text_M2", shock.M2, decimals);
        showComputed("Text_Po2P1");
        writeBox("Text_Po2P1", shock.Po2P1, decimals);
    } else if (fromM2) {
        showComputed("Text_M1");
        writeBox("Text_M1", shock.M1, decimals);
        showComputed("Text_Po2P1");
        writeBox("Text_Po2P1", shock.Po2P1, decimals);
    } else {
        // The typed Po2/P1 stays as it is; the iteration's notice comes before its boxes are written.
        showComputed("Text_M1");
        showComputed("Text_M2");
        if (shock.notice)
            say(*shock.notice);
        writeBox("Text_M1", shock.M1, decimals, common::iterationNote("fixed-point iteration", shock.iteration));
        writeBox("Text_M2", shock.M2, decimals);
    }
    setShown("Frame1", true);
    writeBox("Text_P2P1", shock.P2P1, decimals);
    writeBox("Text_Ro2Ro1", shock.Ro2Ro1, decimals);
    writeBox("Text_T2T1", shock.T2T1, decimals);
    writeBox("Text_Po2Po1", shock.Po2Po1, decimals);
    announce(common::Answer { .gamma = *gama, .flow = "normal-shock", .mach = shock.M1 });
}
