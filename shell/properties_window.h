// The gas property strip: the ratio of specific heats that every calculation reads.
#pragma once

#include <QString>
#include <QWidget>

// The tooltip of the gas property box: the limits that follow from the gamma the text reads as (the largest
// Prandtl-Meyer turning angle, the smallest normal-shock M2, the lowest To/To* with a supersonic Rayleigh
// root, the largest supersonic 4fL*/D), written with `decimalMark`; for a gamma the calculators refuse,
// their message "Gamma must be greater than 1".
QString gammaLimitsText(const QString& gammaText, char decimalMark);

class PropertiesWindow : public QWidget {
    Q_OBJECT

public:
    explicit PropertiesWindow(QWidget* parent = nullptr);
};

// The About window: fixed texts about the program.
class AboutWindow : public QWidget {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent = nullptr);
};
