// The charts window: one chart at a time (theta-beta-M, the shock polar, Fanno and Rayleigh lines, the
// isentropic ratios) drawn for the current gamma, with the last answer of the program marked on it.
#pragma once

#include "answer.h"
#include "calculator_form.h"
#include "chart_curves.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QLineSeries;
class QPushButton;
class QScatterSeries;
class QAbstractAxis;

class ChartsWindow : public QWidget {
    Q_OBJECT

public:
    // Asks for the name of the file to save the chart in; an empty name cancels. The program's chooser is a
    // file dialog; tests pass a function that returns a name.
    using SaveFileChooser = std::function<QString(QWidget* parent, const QString& suggestedName)>;

    explicit ChartsWindow(common::GammaSource gamma, QWidget* parent = nullptr);
    ~ChartsWindow() override;

    void setSaveFileChooser(SaveFileChooser chooser);
    // Writes the open chart as PNG or SVG, by the suffix of `path`, replacing the file only once the whole
    // picture is written. Says in the status line what happened; false when nothing was saved.
    bool saveTo(const QString& path);

    // The open chart and its view.
    QChart* chart() const;
    QChartView* view() const { return m_view; }

public slots:
    // Marks the answer on every chart where it belongs and opens the chart of its flow.
    void showAnswer(const common::Answer& answer);
    // Reads gamma again and redraws the open chart when it changed.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Page;

    void buildPages();
    void open(int index);
    void draw(Page& page);
    void drawMarks(Page& page);
    void readUpstreamMach();
    void save();
    void hover(const QPoint& viewPosition);
    void updateStatus();

    common::GammaSource m_gammaSource;
    SaveFileChooser m_chooseFile;
    QComboBox* m_combo = nullptr;
    QLabel* m_m1Label = nullptr;
    QLineEdit* m_m1 = nullptr;
    QPushButton* m_save = nullptr;
    QChartView* m_view = nullptr;
    QLabel* m_status = nullptr;
    std::vector<Page> m_pages;

    double m_gamma = 1.4;
    double m_upstreamMach = 2.0;
    std::optional<QString> m_gammaRefusal;
    std::optional<QString> m_machRefusal;
    std::optional<common::Answer> m_answer;
    std::vector<charts::Mark> m_marks;
    QString m_answerNote;
    QString m_hoverText;
    QString m_saveText;
};
