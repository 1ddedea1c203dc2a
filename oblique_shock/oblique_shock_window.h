// The oblique shock calculator window.
#pragma once

#include "calculator_form.h"

class ObliqueShockWindow : public common::CalculatorForm {
    Q_OBJECT

public:
    ObliqueShockWindow(common::GammaSource gamma, common::MessageSink messages, QWidget* parent = nullptr);

protected:
    void calculate() override;

private:
    void chooseOutput(const char* outputBox, bool weakStrongShown);
};
