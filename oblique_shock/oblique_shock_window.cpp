#include "oblique_shock_window.h"

#include "oblique_shock_calc.h"

#include <QButtonGroup>
#include <QFont>
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
    { "Frame1", Kind::Frame, nullptr, 4080, 0, 2895, 855, "", "flow behind the shock", true },
    { "Label4", Kind::Label, "Frame1", 240, 240, 375, 255, "Mn1", "normal Mach number ahead of the shock Mn1", false },
    { "Label5", Kind::Label, "Frame1", 720, 240, 375, 255, "Mn2", "normal Mach number behind the shock Mn2", false },
    { "Text_Mn1", Kind::TextBox, "Frame1", 120, 480, 495, 285, "", "normal Mach number ahead of the shock Mn1", false },
    { "Text_Mn2", Kind::TextBox, "Frame1", 600, 480, 495, 285, "", "normal Mach number behind the shock Mn2", false },
    { "Label6", Kind::Label, "Frame1", 1200, 240, 255, 255, "M2", "downstream Mach number M2", false },
    { "Label7", Kind::Label, "Frame1", 1680, 240, 495, 255, "p2/p1", "static pressure ratio p2/p1", false },
    { "Label8", Kind::Label, "Frame1", 2280, 240, 495, 255, "T2/T1", "static temperature ratio T2/T1", false },
    { "Text_M2", Kind::TextBox, "Frame1", 1080, 480, 495, 285, "", "downstream Mach number M2", false },
    { "Text_p2p1", Kind::TextBox, "Frame1", 1560, 480, 615, 285, "", "static pressure ratio p2/p1", false },
    { "Text_T2T1", Kind::TextBox, "Frame1", 2160, 480, 615, 285, "", "static temperature ratio T2/T1", false },
    { "Frame2", Kind::Frame, nullptr, 1200, 0, 2775, 855, "Output options", "output options", false },
    { "Text_M1", Kind::TextBox, "Frame2", 120, 480, 495, 285, "", "upstream Mach number M1", true },
    { "Text_Teta", Kind::TextBox, "Frame2", 720, 480, 495, 285, "", "deflection angle theta in degrees", true },
    { "Text_Beta", Kind::TextBox, "Frame2", 1320, 480, 495, 285, "", "wave angle beta in degrees", true },
    { "Option_M1", Kind::Option, "Frame2", 120, 240, 615, 255, "M1", "output upstream Mach number M1", false },
    { "Option_Teta", Kind::Option, "Frame2", 840, 240, 375, 255, "θ", "output deflection angle theta", false },
    { "Option_Beta", Kind::Option, "Frame2", 1320, 240, 375, 255, "β", "output wave angle beta", false },
    { "Command1", Kind::Button, nullptr, 0, 120, 1095, 735, "Choose an Output option", "calculate", false },
    { "Frame3", Kind::Frame, "Frame2", 1800, 0, 975, 855, "", "weak or strong shock", true },
    { "Option_Weak", Kind::Option, "Frame3", 120, 240, 735, 255, "Weak", "weak shock", false },
    { "Option_Strong", Kind::Option, "Frame3", 120, 480, 735, 255, "Strong", "strong shock", false },
};

// The three boxes under the output options, left to right.
constexpr std::array<const char*, 3> rowBoxes = { "Text_M1", "Text_Teta", "Text_Beta" };
constexpr std::array<const char*, 5> resultBoxes = { "Text_Mn1", "Text_Mn2", "Text_M2", "Text_p2p1", "Text_T2T1" };

const char* const chooseCaption = "Choose an Output option";

} // namespace

ObliqueShockWindow::ObliqueShockWindow(common::GammaSource gamma, common::MessageSink messages, QWidget* parent)
    : CalculatorForm(
        "Form_OblShock", "Oblique Shock", 7305, 1080, controls, std::move(gamma), std::move(messages), parent)
{
    for (const char* name : resultBoxes)
        setBackground(name, common::colour::frameGrey);
    nameQuantities({ { "Text_M1", "M1" }, { "Text_Teta", "θ" }, { "Text_Beta", "β" }, { "Text_Mn1", "Mn1" },
        { "Text_Mn2", "Mn2" }, { "Text_M2", "M2" }, { "Text_p2p1", "p2/p1" }, { "Text_T2T1", "T2/T1" } });
    // The weak/strong captions are drawn small, as the window was designed.
    for (const char* name : { "Option_Weak", "Option_Strong" }) {
        QFont small(QStringLiteral("Arial"));
        small.setPointSizeF(6.75);
        option(name)->setFont(small);
    }
    // Each frame's options form their own group. Radio buttons left to group by parent would take the
    // weak/strong options of the nested frame into the output group.
    auto* outputs = new QButtonGroup(this);
    for (const char* name : { "Option_M1", "Option_Teta", "Option_Beta" })
        outputs->addButton(option(name));
    auto* shocks = new QButtonGroup(this);
    for (const char* name : { "Option_Weak", "Option_Strong" })
        shocks->addButton(option(name));
    option("Option_Weak")->setChecked(true);

    onOptionClicked("Option_M1", [this] { chooseOutput("Text_M1", false); });
    onOptionClicked("Option_Teta", [this] { chooseOutput("Text_Teta", false); });
    onOptionClicked("Option_Beta", [this] { chooseOutput("Text_Beta", true); });
}

// An output option's row of the state table: results hidden, the weak/strong choice shown for the wave
// angle only, the output box hidden, the two input boxes shown, white and empty.
void ObliqueShockWindow::chooseOutput(const char* outputBox, bool weakStrongShown)
{
    const auto isInput = [outputBox](const char* name) { return std::string_view(name) != outputBox; };
    setShown("Frame1", false);
    setShown("Frame3", weakStrongShown);
    for (const char* name : rowBoxes)
        setShown(name, isInput(name));
    for (const char* name : rowBoxes) {
        if (isInput(name))
            setBackground(name, common::colour::white);
    }
    for (const char* name : rowBoxes) {
        if (isInput(name))
            box(name)->setText(QString());
    }
    setCaption("SET Input values than CLICK");
}

void ObliqueShockWindow::calculate()
{
    const std::optional<double> gama = readGamma();
    if (!gama)
        return;

    // The chosen output decides the inputs read, the box written and its decimals.
    struct Output {
        const char* box;
        int decimals;
        double oblique_shock::Shock::*value;
    };
    Output output { nullptr, 0, nullptr };
    common::Result<oblique_shock::Shock> result = common::Message { chooseCaption };
    if (option("Option_Beta")->isChecked()) {
        const double M1 = readBox("Text_M1");
        const double TetaD = readBox("Text_Teta");
        const auto solution
            = option("Option_Weak")->isChecked() ? oblique_shock::Solution::Weak : oblique_shock::Solution::Strong;
        result = oblique_shock::findBeta(*gama, M1, TetaD, solution);
        output = { "Text_Beta", 2, &oblique_shock::Shock::BetaD };
    } else if (option("Option_Teta")->isChecked()) {
        const double M1 = readBox("Text_M1");
        const double BetaD = readBox("Text_Beta");
        result = oblique_shock::findTeta(*gama, M1, BetaD);
        output = { "Text_Teta", 2, &oblique_shock::Shock::TetaD };
    } else if (option("Option_M1")->isChecked()) {
        const double TetaD = readBox("Text_Teta");
        const double BetaD = readBox("Text_Beta");
        result = oblique_shock::findM1(*gama, TetaD, BetaD);
        output = { "Text_M1", 3, &oblique_shock::Shock::M1 };
    }
    if (!result.ok()) {
        say(result.refusal());
        return;
    }

    const oblique_shock::Shock& shock = result.value();
    const bool betaSought = option("Option_Beta")->isChecked();
    setShown(output.box, true);
    writeBox(output.box, shock.*output.value, output.decimals,
        betaSought ? common::iterationNote("Newton iteration", shock.iteration) : QString());
    setBackground(output.box, common::colour::grey);

    const oblique_shock::Downstream& behind = shock.behind;
    setShown("Frame1", true);
    writeBox("Text_Mn1", behind.Mn1, 3);
    writeBox("Text_Mn2", behind.Mn2, 3);
    writeBox("Text_M2", behind.M2, 3);
    writeBox("Text_p2p1", behind.p2p1, 4);
    writeBox("Text_T2T1", behind.T2T1, 4);
    setCaption(chooseCaption);
    common::Answer answer { .gamma = *gama, .flow = "oblique-shock", .mach = shock.M1 };
    if (betaSought)
        answer.branch = option("Option_Weak")->isChecked() ? "weak" : "strong";
    answer.theta = shock.TetaD;
    answer.beta = shock.BetaD;
    announce(answer);
}
