// A day of use in one process, offscreen: windows closed and re-opened from the menu, presses with results
// and refusals in every calculator, and (once the tables window exists) tables made and dropped. Each part
// runs a warm-up of 500 cycles, then the measured cycles; the resident memory (VmRSS) is read after the
// warm-up and at the end, and the growth between them is what the part costs.
//
// Usage: soak [cycles]  (default 10000). Prints one table row per part.
#include "main_window.h"
#include "tables_window.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kWarmUp = 500;
constexpr long kGoalKiB = 256;

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// What the event loop would do between two user actions: delete what was closed, lay out and paint.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Runs `cycle` for the warm-up and then `cycles` more times, and prints the part's row.
void measure(const char* part, int cycles, const std::function<void(int)>& cycle)
{
    int i = 0;
    for (; i < kWarmUp; ++i)
        cycle(i);
    const long before = residentKiB();
    for (; i < kWarmUp + cycles; ++i)
        cycle(i);
    const long after = residentKiB();
    std::printf("| %s (%d cycles after %d) | %ld KiB | %ld KiB | %+ld KiB | under %ld KiB |\n", part, cycles, kWarmUp,
        before, after, after - before, kGoalKiB);
    std::fflush(stdout);
}

// One press: the option to click, what to type where, and whether it is refused.
struct Press {
    const char* window;
    const char* option;
    std::vector<std::pair<const char*, const char*>> typed;
};

const std::vector<Press>& presses()
{
    static const std::vector<Press> list = {
        { "Form_IseFlow", "Option_M", { { "Text_M", "2" } } },
        { "Form_IseFlow", "Option_Nu", { { "Text_Nu", "26.38" } } },
        { "Form_IseFlow", "Option_PoP", { { "Text_PoP", "0.5" } } }, // refused
        { "Form_NmShock", "Option_Po2P1", { { "Text_Po2P1", "5.64044" } } },
        { "Form_NmShock", "Option_M2", { { "Text_M2", "0.2" } } }, // refused
        { "Form_HeatFlo", "Option_ToToStar", { { "Text_ToToStar", "0.8" } } },
        { "Form_HeatFlo", "Option_ToToStar", { { "Text_ToToStar", "0.3" } } }, // subsonic only, with a notice
        { "Form_HeatFlo", "Option_M", { { "Text_M", "-1" } } }, // refused
        { "Form_FricFlo", "Option_FLD4", { { "Text_FLD4", "0.5" } } },
        { "Form_FricFlo", "Option_M", { { "Text_Msub", "abc" } } }, // refused
        { "Form_OblShock", "Option_Beta", { { "Text_M1", "2" }, { "Text_Teta", "10" } } },
        { "Form_OblShock", "Option_Beta", { { "Text_M1", "2" }, { "Text_Teta", "40" } } }, // refused
        { "Form_ExpWave", "Option_M2", { { "Text_M1", "2" }, { "Text_Teta", "10" } } },
        { "Form_ExpWave", "Option_Teta", { { "Text_M1", "0.5" }, { "Text_M2", "2" } } }, // refused
    };
    return list;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform notes every raise() of the About window; those notes are not findings.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.startsWith("This plugin does not support"))
            previous(type, context, text);
    });
    QApplication app(argc, argv);
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 10000;
    long messages = 0;
    MainWindow main([&messages](QWidget*, const QString&) { ++messages; });
    main.show();
    settle();

    // Close and re-open: one window a cycle, in turn: each calculator (closed with its frame's close button
    // action, re-opened from the menu), the gas property window (re-created by a press), the About window.
    struct Reopen {
        const char* window;
        const char* menuItem;
    };
    const std::vector<Reopen> windows = { { "Form_IseFlow", "Mn_IseFlow" }, { "Form_HeatFlo", "Mn_HeatFlo" },
        { "Form_FricFlo", "Mn_FricFlo" }, { "Form_NmShock", "Mn_NmShock" }, { "Form_OblShock", "Mn_OblShock" },
        { "Form_ExpWave", "Mn_ExpWave" }, { "Form_Properties", nullptr }, { "Form_About", "Mn_About" } };
    measure("close and re-open, all windows in turn", cycles, [&](int i) {
        const Reopen& next = windows[i % windows.size()];
        if (QString(next.window) == "Form_About") {
            main.findChild<QAction*>(next.menuItem)->trigger();
            settle();
            main.aboutWindow()->close();
        } else {
            main.subWindow(next.window)->close();
            settle();
            if (next.menuItem)
                main.findChild<QAction*>(next.menuItem)->trigger();
            else
                main.gammaText(); // what every press does first
        }
        settle();
    });

    // Presses: each calculator in turn, results, notices and refusals.
    measure("presses, all calculators, results and refusals", cycles, [&](int i) {
        const Press& press = presses()[i % presses().size()];
        QWidget* window = main.subWindow(press.window)->widget();
        window->findChild<QRadioButton*>(press.option)->click();
        for (const auto& [box, text] : press.typed) {
            auto* edit = window->findChild<QLineEdit*>(box);
            if (!edit) {
                std::fprintf(stderr, "soak: %s has no %s\n", press.window, box);
                std::exit(1);
            }
            edit->setText(text);
        }
        window->findChild<QPushButton*>("Command1")->click();
        settle();
    });

    // ---- TABLES: 100 million-row tables made and dropped in the open tables window. ----
    // Opened from the menu when the main window has it, otherwise a tables window of its own. Each cycle makes
    // a table of a million rows (M from 1 to 21), paints its first screen and its last, and drops it by a refused step
    // (which clears the table); every tenth cycle the window is closed and opened afresh instead.
    std::unique_ptr<TablesWindow> ownTables;
    auto* tablesItem = main.findChild<QAction*>("Mn_Tables");
    const auto tables = [&]() -> QWidget* {
        if (tablesItem) {
            if (!main.subWindow("Form_Tables"))
                tablesItem->trigger();
            return main.subWindow("Form_Tables")->widget();
        }
        if (!ownTables) {
            ownTables = std::make_unique<TablesWindow>([] { return QString("1.4"); });
            ownTables->resize(900, 600);
            ownTables->show();
        }
        return ownTables.get();
    };
    const auto make = [](QWidget* window, const char* step) {
        window->findChild<QLineEdit*>("Text_From")->setText("1");
        window->findChild<QLineEdit*>("Text_To")->setText("21");
        window->findChild<QLineEdit*>("Text_Step")->setText(step);
        window->findChild<QPushButton*>("Command1")->click();
    };
    measure(tablesItem ? "tables of a million rows, made and dropped"
                       : "tables of a million rows, made and dropped "
                         "(own window: no Mn_Tables)",
        100, [&](int i) {
            QWidget* window = tables();
            make(window, "0.00002");
            if (window->findChild<QLabel*>("Label_Status")->text() != "1000001 rows") {
                std::fprintf(stderr, "soak: the tables window did not make a million rows: %s\n",
                    qPrintable(window->findChild<QLabel*>("Label_Status")->text()));
                std::exit(1);
            }
            auto* rows = window->findChild<QScrollBar*>("Scroll_Rows");
            window->findChild<QTableView*>("Table_Rows")->viewport()->repaint();
            rows->setValue(rows->maximum());
            window->findChild<QTableView*>("Table_Rows")->viewport()->repaint();
            if (i % 10 == 9) {
                if (tablesItem)
                    main.subWindow("Form_Tables")->close();
                else
                    ownTables.reset();
            } else {
                make(window, "0");
            }
            settle();
        });

    if (messages == 0) {
        std::fprintf(stderr, "soak: no press was refused; the press list no longer tests refusals\n");
        return 1;
    }
    return 0;
}
