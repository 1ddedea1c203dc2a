// The cost of a redraw in the charts window, offscreen: after a gamma edit (the curves computed again from the
// engine, the series replaced, the view painted) and after a press in a strip (an answer marked, the chart of
// its flow opened and painted). The goal is one frame, 16 ms.
#include "charts_window.h"

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <array>

namespace {

// Alternates gamma between two values, so every refresh recomputes the open chart, and paints it.
void registerGammaEdit(const char* name, int chart)
{
    benchmark::RegisterBenchmark(name, [chart](benchmark::State& state) {
        QString gamma = "1.4";
        ChartsWindow window([&gamma] { return gamma; });
        window.show();
        window.findChild<QComboBox*>("Combo_Chart")->setCurrentIndex(chart);
        bool flip = false;
        for (auto _ : state) {
            gamma = flip ? "1.4" : "1.3";
            flip = !flip;
            window.refresh();
            benchmark::DoNotOptimize(window.view()->grab());
        }
    });
}

// Alternates two answers of one flow and paints the chart that shows them (a shock polar is drawn anew for
// each upstream Mach number).
void registerAnswer(const char* name, common::Answer first, common::Answer second)
{
    benchmark::RegisterBenchmark(name, [first, second](benchmark::State& state) {
        ChartsWindow window([] { return QString("1.4"); });
        window.show();
        bool flip = false;
        for (auto _ : state) {
            window.showAnswer(flip ? first : second);
            flip = !flip;
            benchmark::DoNotOptimize(window.view()->grab());
        }
    });
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerGammaEdit("charts_gamma_theta_beta_M", 0);
    registerGammaEdit("charts_gamma_shock_polar", 1);
    registerGammaEdit("charts_gamma_fanno_rayleigh", 2);
    registerGammaEdit("charts_gamma_isentropic", 3);
    registerAnswer("charts_answer_oblique_shock", { 1.4, "oblique-shock", 2.0, "weak", {}, 10.0, {} },
        { 1.4, "oblique-shock", 3.0, "weak", {}, 10.0, {} });
    registerAnswer("charts_answer_fanno", { 1.4, "fanno", 0.5, "sub", 1.8 }, { 1.4, "fanno", 0.6, "sub", 1.6 });
    registerAnswer("charts_answer_isentropic", { 1.4, "isentropic", 2.0 }, { 1.4, "isentropic", 3.0 });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
