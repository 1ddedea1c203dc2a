// The calculator window for one-dimensional flow with heat addition (Rayleigh flow).
#pragma once

#include "calculator_form.h"

class RayleighWindow : public common::CalculatorForm {
    Q_OBJECT

public:
    RayleighWindow(common::GammaSource gamma, common::MessageSink messages, QWidget* parent = nullptr);

protected:
    void calculate() override;

private:
    void chooseInput(const char* chosenBox);
    void showRatios(double gama);
    void showMachNumbers(double gama);
};
