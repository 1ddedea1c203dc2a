// Flight conditions: an altitude of the standard atmosphere and a Mach number or true airspeed in, the
// atmosphere and the flight condition out (rounded, full precision in the tooltips, copied as tsv), and a
// small chart of T and p against altitude with the altitude marked.
#pragma once

#include "condition.h"
#include "units.h"

#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// T and p of the standard atmosphere against geometric altitude, drawn with QPainter.
class AtmosphereChart : public QWidget {
    Q_OBJECT
public:
    explicit AtmosphereChart(QWidget* parent = nullptr);
    void mark(std::optional<double> altitude);
    std::optional<double> marked() const { return m_marked; }
    QSize sizeHint() const override { return { 200, 200 }; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<double> m_marked;
};

class FlightWindow : public QWidget {
    Q_OBJECT
public:
    explicit FlightWindow(QWidget* parent = nullptr);
    // Header line of names and one line of full-precision values (SI or US as shown); empty before a result.
    QString copyText() const;

private:
    void calculate();
    void refuse(const QString& text);

    QLineEdit* m_altitude;
    QRadioButton* m_mach;
    QRadioButton* m_speed;
    QLineEdit* m_value;
    QRadioButton* m_si;
    QRadioButton* m_us;
    QPushButton* m_command;
    QPushButton* m_copy;
    QLabel* m_status;
    std::vector<QLineEdit*> m_outputs;
    std::vector<double> m_shown;
    AtmosphereChart* m_chart;
};
