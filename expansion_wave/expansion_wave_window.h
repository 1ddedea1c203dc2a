// The expansion wave (Prandtl-Meyer) calculator window.
#pragma once

#include "calculator_form.h"

class ExpansionWaveWindow : public common::CalculatorForm {
    Q_OBJECT

public:
    ExpansionWaveWindow(common::GammaSource gamma, common::MessageSink messages, QWidget* parent = nullptr);

protected:
    void calculate() override;

private:
    void chooseOutput(const char* outputBox, const char* firstInput, const char* secondInput);
};
