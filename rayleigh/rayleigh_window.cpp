#include "rayleigh_window.h"

#include "rayleigh_calc.h"

#include <QLineEdit>
#include <QRadioButton>

#include <array>

namespace {

using common::ControlSpec;
using common::Kind;

// The controls in tab order: name, kind, container, left, top, width, height (twips), caption,
// accessible name, hidden at start.
const ControlSpec controls[] = {
    { "Frame1", Kind::Frame, nullptr, 3720, 0, 3135, 855, "", "ratios to the sonic state", true },
    { "Label_TTstar", Kind::Label, "Frame1", 1080, 240, 375, 255, "T/T*", "static temperature ratio T/T*", false },
    { "Text_TTstar", Kind::TextBox, "Frame1", 840, 480, 735, 285, "", "static temperature ratio T/T*", false },
    { "Label_PPstar", Kind::Label, "Frame1", 360, 240, 495, 255, "p/p*", "static pressure ratio p/p*", false },
    { "Text_PPstar", Kind::TextBox, "Frame1", 120, 480, 735, 285, "", "static pressure ratio p/p*", false },
    { "Label_RoRoStar", Kind::Label, "Frame1", 1680, 240, 375, 255, "ρ / ρ*", "density ratio ρ/ρ*", false },
    { "Text_RoRoStar", Kind::TextBox, "Frame1", 1560, 480, 735, 285, "", "density ratio ρ/ρ*", false },
    { "Label_PoPoStar", Kind::Label, "Frame1", 2400, 240, 615, 255, "Po/Po*", "total pressure ratio Po/Po*", false },
    { "Text_PoPoStar", Kind::TextBox, "Frame1", 2280, 480, 735, 285, "", "total pressure ratio Po/Po*", false },
    { "Frame2", Kind::Frame, nullptr, 1200, 0, 2415, 855, "Input Options", "input options", false },
    { "Option_M", Kind::Option, "Frame2", 240, 240, 495, 255, "M", "Mach number M", false },
    { "Option_ToToStar", Kind::Option, "Frame2", 1440, 240, 855, 255, "To/To*", "total temperature ratio To/To*",
        false },
    { "Command1", Kind::Button, nullptr, 0, 120, 1095, 735, "Coose an Input Option", "calculate", false },
    { "Text_Msup", Kind::TextBox, "Frame2", 720, 480, 615, 285, "", "supersonic Mach number", true },
    { "Text_M", Kind::TextBox, "Frame2", 120, 480, 615, 285, "", "Mach number M, or the subsonic Mach number", true },
    { "Text_ToToStar", Kind::TextBox, "Frame2", 1440, 480, 735, 285, "", "total temperature ratio To/To*", true },
};

// The boxes of the input row, left to right.
constexpr std::array<const char*, 3> rowBoxes = { "Text_M", "Text_Msup", "Text_ToToStar" };
constexpr std::array<const char*, 4> ratioBoxes = { "Text_TTstar", "Text_PPstar", "Text_RoRoStar", "Text_PoPoStar" };

constexpr int decimals = 5;

} // namespace

RayleighWindow::RayleighWindow(common::GammaSource gamma, common::MessageSink messages, QWidget* parent)
    : CalculatorForm("Form_HeatFlo", "1D Flow with Heat Addition", 7920, 930, controls, std::move(gamma),
        std::move(messages), parent)
{
    for (const char* name : ratioBoxes)
        setBackground(name, common::colour::frameGrey);
    nameQuantities(
        { { "Text_M", "M" }, { "Text_Msup", "M supersonic" }, { "Text_ToToStar", "To/To*" }, { "Text_TTstar", "T/T*" },
            { "Text_PPstar", "p/p*" }, { "Text_RoRoStar", "ρ/ρ*" }, { "Text_PoPoStar", "Po/Po*" } });
    onOptionClicked("Option_M", [this] { chooseInput("Text_M"); });
    onOptionClicked("Option_ToToStar", [this] { chooseInput("Text_ToToStar"); });
}

// An option's row of the state table: ratios hidden, only the chosen box shown, blank and white.
// The hidden boxes keep their text and colour.
void RayleighWindow::chooseInput(const char* chosenBox)
{
    setShown("Frame1", false);
    for (const char* name : rowBoxes)
        setShown(name, name == chosenBox);
    box(chosenBox)->setText(" ");
    setBackground(chosenBox, common::colour::white);
    setCaption("Input value then CLICK");
}

void RayleighWindow::calculate()
{
    const std::optional<double> gama = readGamma();
    if (!gama)
        return;
    if (option("Option_M")->isChecked())
        showRatios(*gama);
    else if (option("Option_ToToStar")->isChecked())
        showMachNumbers(*gama);
    else
        say(QString("choose an input parameter"));
}

// Input M: To/To* in the input row, the four ratios in the frame; the typed M stays as it is.
void RayleighWindow::showRatios(double gama)
{
    const common::Result<rayleigh::Ratios> result = rayleigh::fromM(gama, readBox("Text_M"));
    if (!result.ok()) {
        say(result.refusal());
        return;
    }
    const rayleigh::Ratios& r = result.value();
    setShown("Text_ToToStar", true);
    setBackground("Text_ToToStar", common::colour::grey);
    writeBox("Text_ToToStar", r.ToToStar, decimals);
    setShown("Frame1", true);
    writeBox("Text_TTstar", r.TTstar, decimals);
    writeBox("Text_PPstar", r.PPstar, decimals);
    writeBox("Text_RoRoStar", r.RoRoStar, decimals);
    writeBox("Text_PoPoStar", r.PoPoStar, decimals);
    announce(common::Answer { .gamma = gama, .flow = "rayleigh", .mach = r.M });
}

// Input To/To*: the subsonic root in Text_M and the supersonic one in Text_Msup; without a
// supersonic root Text_Msup is hidden and the notice follows. The ratio frame keeps its visibility.
void RayleighWindow::showMachNumbers(double gama)
{
    const common::Result<rayleigh::MachNumbers> result = rayleigh::fromToToStar(gama, readBox("Text_ToToStar"));
    if (!result.ok()) {
        say(result.refusal());
        return;
    }
    const rayleigh::MachNumbers& roots = result.value();
    setShown("Text_M", true);
    setShown("Text_Msup", roots.Msup.has_value());
    setBackground("Text_M", common::colour::grey);
    if (roots.Msup)
        setBackground("Text_Msup", common::colour::grey);
    writeBox("Text_M", roots.M, decimals);
    if (roots.Msup)
        writeBox("Text_Msup", *roots.Msup, decimals);
    if (roots.notice)
        say(*roots.notice);
    announce(common::Answer {
        .gamma = gama, .flow = "rayleigh", .mach = roots.M, .branch = "sub", .otherMach = roots.Msup });
}
