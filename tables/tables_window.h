// Gas tables: every quantity of a flow over a range of one input, the other input and the branch fixed, as a
// view over rows computed on demand; copied as the command line's tsv, saved as its csv.
#pragma once

#include "calculator_form.h"
#include "gasdyn.h"

#include <QWidget>

#include <functional>

class FlowTableModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSpinBox;
class TableRowsView;

class TablesWindow : public QWidget {
    Q_OBJECT

public:
    // Where a save goes: the chosen file name, or an empty text when the user cancelled.
    using FileNameSource = std::function<QString(QWidget* parent, const QString& suggested)>;
    // Whether an existing file may be replaced.
    using ReplaceQuestion = std::function<bool(QWidget* parent, const QString& path)>;

    explicit TablesWindow(common::GammaSource gamma, QWidget* parent = nullptr);

    // The program asks with a file dialog and a message box; tests answer without a modal dialog.
    void setFileNameSource(FileNameSource source);
    void setReplaceQuestion(ReplaceQuestion question);

    // The selected cells as tab-separated text: a header line of the selected columns' names, then one line per
    // selected row with a solution, full precision (the command line's tsv when every cell is selected).
    QString selectionText() const;

private:
    void flowChosen();
    void inputChosen();
    void make();
    void clearTable();
    // The status line in the warning colour; the table stays.
    void refuse(const QString& text);
    void inform(const QString& text);
    void decimalsChanged();
    void fitColumns();
    void save();
    void copySelection();
    gasdyn::Flow flow() const;
    const gasdyn::InputKind* kind() const;
    bool runsFirst() const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    common::GammaSource m_gamma;
    FileNameSource m_fileName;
    ReplaceQuestion m_replace;
    QComboBox* m_flow;
    QComboBox* m_input;
    QLabel* m_fixedLabel;
    QLineEdit* m_fixed;
    QLabel* m_branchLabel;
    QComboBox* m_branch;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QLineEdit* m_step;
    QPushButton* m_command;
    QScrollBar* m_rowsBar;
    TableRowsView* m_view;
    FlowTableModel* m_model;
    QSpinBox* m_decimals;
    QPushButton* m_save;
    QLabel* m_status;
};
