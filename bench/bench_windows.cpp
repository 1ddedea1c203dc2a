// The flow solver and gas tables windows, offscreen: a solver press; a million-row table made and its first
// screen painted; scrolling to its end and back; saving it as CSV; and the peak memory the table adds.
#include "solver_window.h"
#include "tables_window.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

// The process's peak resident memory (VmHWM) in KiB.
long peakKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

void type(QWidget& window, const char* box, const char* text)
{
    window.findChild<QLineEdit*>(box)->setText(text);
}

// The isentropic table of the command line's benchmark: M from 0.01 to 10000.01 in steps of 0.01.
void prepareMillion(TablesWindow& window)
{
    type(window, "Text_From", "0.01");
    type(window, "Text_To", "10000.01");
    type(window, "Text_Step", "0.01");
    window.resize(900, 600);
    window.show();
    QApplication::processEvents();
}

// The isentropic table of ten million rows: M from 0.001 to 10000 in steps of 0.001.
void prepareTenMillion(TablesWindow& window)
{
    prepareMillion(window);
    type(window, "Text_From", "0.001");
    type(window, "Text_To", "10000");
    type(window, "Text_Step", "0.001");
}

void paintNow(QTableView* view)
{
    view->viewport()->repaint();
}

// Scrolls a shown table to its last row and back to its first, painting each screen, as a drag of the rows
// bar to its ends would.
void endAndBack(TablesWindow& window, QTableView* view)
{
    auto* rows = window.findChild<QScrollBar*>("Scroll_Rows");
    rows->setValue(rows->maximum());
    paintNow(view);
    rows->setValue(0);
    paintNow(view);
}

QString status(TablesWindow& window)
{
    return window.findChild<QLabel*>("Label_Status")->text();
}

void solverPress(benchmark::State& state)
{
    SolverWindow window([] { return QString("1.4"); });
    window.findChild<QComboBox*>("Combo_Flow")->setCurrentIndex(4); // oblique shock, M1 and theta
    type(window, "Text_Value1", "2");
    type(window, "Text_Value2", "10");
    window.show();
    QApplication::processEvents();
    QPushButton* command = window.findChild<QPushButton*>("Command1");
    for (auto _ : state)
        command->click();
    if (!window.findChild<QLabel*>("Label_Status")->text().startsWith("Solved"))
        state.SkipWithError("the press was refused");
}

void solverPressIsentropic(benchmark::State& state)
{
    SolverWindow window([] { return QString("1.4"); });
    type(window, "Text_Value1", "2");
    window.show();
    QApplication::processEvents();
    QPushButton* command = window.findChild<QPushButton*>("Command1");
    for (auto _ : state)
        command->click();
}

// The peak memory a table adds to the window before it was made (the page the view holds, nothing per row).
void tableMemory(benchmark::State& state, void (*prepare)(TablesWindow&), const char* shown)
{
    TablesWindow window([] { return QString("1.4"); });
    prepare(window);
    auto* view = window.findChild<QTableView*>("Table_Rows");
    paintNow(view);
    const long before = peakKiB();
    for (auto _ : state) {
        window.findChild<QPushButton*>("Command1")->click();
        paintNow(view);
        endAndBack(window, view);
    }
    const long after = peakKiB();
    state.counters["peak_before_KiB"] = static_cast<double>(before);
    state.counters["peak_after_KiB"] = static_cast<double>(after);
    state.counters["added_KiB"] = static_cast<double>(after - before);
    if (status(window) != shown)
        state.SkipWithError(("the table does not have the expected rows: " + status(window).toStdString()).c_str());
}

void millionRowTableFirstScreen(benchmark::State& state)
{
    TablesWindow window([] { return QString("1.4"); });
    prepareMillion(window);
    auto* view = window.findChild<QTableView*>("Table_Rows");
    QPushButton* command = window.findChild<QPushButton*>("Command1");
    for (auto _ : state) {
        command->click();
        paintNow(view);
    }
}

void millionRowTableScroll(benchmark::State& state)
{
    TablesWindow window([] { return QString("1.4"); });
    prepareMillion(window);
    auto* view = window.findChild<QTableView*>("Table_Rows");
    window.findChild<QPushButton*>("Command1")->click();
    paintNow(view);
    for (auto _ : state)
        endAndBack(window, view);
}

void millionRowCsv(benchmark::State& state)
{
    TablesWindow window([] { return QString("1.4"); });
    prepareMillion(window);
    window.findChild<QPushButton*>("Command1")->click();
    const QString path = QDir::temp().filePath("flowcalc-bench-table.csv");
    window.setFileNameSource([path](QWidget*, const QString&) { return path; });
    window.setReplaceQuestion([](QWidget*, const QString&) { return true; });
    for (auto _ : state)
        window.findChild<QPushButton*>("Command_Save")->click();
    if (!window.findChild<QLabel*>("Label_Status")->text().startsWith("Saved 1000001 rows"))
        state.SkipWithError("the table was not saved");
    QFile::remove(path);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The memory first, before any other benchmark raises the peak.
    benchmark::RegisterBenchmark("tables_million_rows_peak_memory", tableMemory, prepareMillion, "1000001 rows")
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("tables_ten_million_rows_peak_memory", tableMemory, prepareTenMillion, "10000000 rows")
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("solver_press_oblique", solverPress);
    benchmark::RegisterBenchmark("solver_press_isentropic", solverPressIsentropic);
    benchmark::RegisterBenchmark("tables_million_rows_make_and_first_screen", millionRowTableFirstScreen)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("tables_million_rows_scroll_end_and_back", millionRowTableScroll)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("tables_million_rows_save_csv", millionRowCsv)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
