// Test support: any of the seven windows by its name, and a user's steps in it.
#pragma once

#include "expansion_wave_window.h"
#include "fanno_window.h"
#include "isentropic_window.h"
#include "normal_shock_window.h"
#include "oblique_shock_window.h"
#include "properties_window.h"
#include "rayleigh_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

namespace probe {

// The window named `name` ("Form_IseFlow", ..., "Form_Properties"), reading `gamma` and recording its
// messages in `messages`.
inline std::unique_ptr<QWidget> makeWindow(const QString& name, const QString& gamma, QStringList& messages)
{
    const common::GammaSource source = [gamma] { return gamma; };
    const common::MessageSink sink = [&messages](QWidget*, const QString& text) { messages << text; };
    if (name == "Form_Properties")
        return std::make_unique<PropertiesWindow>();
    if (name == "Form_IseFlow")
        return std::make_unique<IsentropicWindow>(source, sink);
    if (name == "Form_NmShock")
        return std::make_unique<NormalShockWindow>(source, sink);
    if (name == "Form_HeatFlo")
        return std::make_unique<RayleighWindow>(source, sink);
    if (name == "Form_FricFlo")
        return std::make_unique<FannoWindow>(source, sink);
    if (name == "Form_OblShock")
        return std::make_unique<ObliqueShockWindow>(source, sink);
    return std::make_unique<ExpansionWaveWindow>(source, sink);
}

// Runs a user's steps, separated by ';': "Option_M" clicks an option, "Text_M=2" types into a box (after
// clearing it), "press" presses the calculate button. Returns false (with a failure) on a missing control.
inline bool runSteps(QWidget* form, const QString& steps)
{
    for (const QString& step : steps.split(';', Qt::SkipEmptyParts)) {
        if (step == "press") {
            QTest::mouseClick(form->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        } else if (step.contains('=')) {
            auto* box = form->findChild<QLineEdit*>(step.section('=', 0, 0));
            if (!box || !box->isVisible()) {
                QTest::qFail(qPrintable("no box to type in: " + step), __FILE__, __LINE__);
                return false;
            }
            box->clear();
            QTest::keyClicks(box, step.section('=', 1));
        } else {
            auto* option = form->findChild<QRadioButton*>(step);
            if (!option) {
                QTest::qFail(qPrintable("no option: " + step), __FILE__, __LINE__);
                return false;
            }
            QTest::mouseClick(option, Qt::LeftButton);
        }
    }
    return true;
}

} // namespace probe
