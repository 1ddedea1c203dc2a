// The isentropic flow calculator window.
#pragma once

#include "calculator_form.h"

class IsentropicWindow : public common::CalculatorForm {
    Q_OBJECT

public:
    IsentropicWindow(common::GammaSource gamma, common::MessageSink messages, QWidget* parent = nullptr);

protected:
    void calculate() override;

private:
    void chooseInput(const char* chosenBox);
};
