// The calculator window for one-dimensional flow with friction (Fanno flow).
#pragma once

#include "calculator_form.h"

class FannoWindow : public common::CalculatorForm {
    Q_OBJECT

public:
    FannoWindow(common::GammaSource gamma, common::MessageSink messages, QWidget* parent = nullptr);

protected:
    void calculate() override;

private:
    void chooseInput(const char* chosenBox);
    void calculateFromM(double gama);
    void calculateFromFLD4(double gama);
};
