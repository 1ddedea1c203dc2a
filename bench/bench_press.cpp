// The cost of a whole press through a window, offscreen: read gamma and the input, calculate, write every box.
#include "expansion_wave_window.h"
#include "fanno_window.h"
#include "isentropic_window.h"
#include "normal_shock_window.h"
#include "oblique_shock_window.h"
#include "rayleigh_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include <utility>
#include <vector>

namespace {

int messagesShown = 0;

using Typed = std::vector<std::pair<const char*, const char*>>;

// Builds the window, chooses the option, types the inputs, then measures presses of Command1.
template <class Window>
void registerPress(const char* name, const char* option, Typed typed)
{
    benchmark::RegisterBenchmark(name, [option, typed](benchmark::State& state) {
        Window concrete([] { return QString("1.4"); }, [](QWidget*, const QString&) { ++messagesShown; });
        QWidget& window = concrete;
        window.findChild<QRadioButton*>(option)->click();
        for (const auto& [box, text] : typed)
            window.findChild<QLineEdit*>(box)->setText(text);
        QPushButton* command = window.findChild<QPushButton*>("Command1");
        for (auto _ : state)
            command->click();
        if (messagesShown > 0)
            state.SkipWithError("a press showed a message");
    });
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerPress<IsentropicWindow>("press_isentropic_M", "Option_M", { { "Text_M", "2" } });
    registerPress<IsentropicWindow>("press_isentropic_Nu", "Option_Nu", { { "Text_Nu", "26.38" } });
    registerPress<NormalShockWindow>("press_normal_shock_Po2P1", "Option_Po2P1", { { "Text_Po2P1", "5.64044" } });
    registerPress<RayleighWindow>("press_rayleigh_ToToStar", "Option_ToToStar", { { "Text_ToToStar", "0.8" } });
    registerPress<FannoWindow>("press_fanno_FLD4", "Option_FLD4", { { "Text_FLD4", "0.5" } });
    registerPress<ObliqueShockWindow>(
        "press_oblique_Beta", "Option_Beta", { { "Text_M1", "2" }, { "Text_Teta", "10" } });
    registerPress<ExpansionWaveWindow>(
        "press_expansion_M2", "Option_M2", { { "Text_M1", "2" }, { "Text_Teta", "10" } });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
