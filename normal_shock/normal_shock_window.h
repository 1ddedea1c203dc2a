// The normal shock calculator window.
#pragma once

#include "calculator_form.h"

class NormalShockWindow : public common::CalculatorForm {
    Q_OBJECT

public:
    NormalShockWindow(common::GammaSource gamma, common::MessageSink messages, QWidget* parent = nullptr);

protected:
    void calculate() override;

private:
    void chooseInput(const char* chosenBox);
    void showComputed(const char* name);
};
