// The flow solver: any input quantity of any of the engine's seven flows, every quantity out, in a two-column
// table; refusals in a status line; the results copied as the command line's tsv.
#pragma once

#include "answer.h"
#include "calculator_form.h"
#include "gasdyn.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

class SolverWindow : public QWidget {
    Q_OBJECT

public:
    explicit SolverWindow(common::GammaSource gamma, QWidget* parent = nullptr);

    // The results as the command line's tsv: a header line of the flow's quantity names and one line of values
    // at full precision (gamma is not a column there, so it is not one here). Empty before a solution.
    QString copyText() const;

signals:
    // After each successful solve.
    void answered(const common::Answer& answer);

private:
    void flowChosen();
    void inputChosen();
    void calculate();
    void showResults();
    void clearResults();
    void refuse(const QString& text);
    void copy();
    gasdyn::Flow flow() const;
    const gasdyn::InputKind* kind() const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    common::GammaSource m_gamma;
    QComboBox* m_flow;
    QComboBox* m_input;
    QLabel* m_branchLabel;
    QComboBox* m_branch;
    QLabel* m_label1;
    QLineEdit* m_value1;
    QLabel* m_label2;
    QLineEdit* m_value2;
    QPushButton* m_command;
    QTableWidget* m_results;
    QSpinBox* m_decimals;
    QPushButton* m_copy;
    QLabel* m_status;

    // The last solution shown, kept to write it again when the decimals change.
    struct Shown {
        gasdyn::Flow flow;
        double gamma;
        gasdyn::Solution solution;
    };
    std::optional<Shown> m_shown;
};
