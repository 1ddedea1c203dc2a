#include "properties_window.h"

#include "calculator_form.h"
#include "expansion_wave_calc.h"
#include "fanno_calc.h"
#include "interface_style.h"
#include "normal_shock_calc.h"
#include "number.h"
#include "rayleigh_calc.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

using common::twips;
using common::twipsRect;

PropertiesWindow::PropertiesWindow(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("Form_Properties");
    resize(twips(7140), twips(1215));
    setFont(common::interfaceFont());

    auto* frame = new QGroupBox(this);
    frame->setObjectName("Frame2");
    frame->setGeometry(twipsRect(0, 0, 1215, 855));

    auto* gama = new QLineEdit("1.4", frame);
    gama->setObjectName("Text_Gama");
    gama->setGeometry(twipsRect(360, 360, 495, 285));
    gama->setAccessibleName("ratio of specific heats gamma");

    auto* label = new QLabel(QString::fromUtf8("γ ="), frame);
    label->setObjectName("Label2");
    label->setGeometry(twipsRect(120, 360, 255, 255));
    label->setAccessibleName("ratio of specific heats gamma");
    label->setBuddy(gama);

    const auto showLimits
        = [gama] { gama->setToolTip(gammaLimitsText(gama->text(), common::CalculatorForm::decimalMark())); };
    connect(gama, &QLineEdit::textChanged, gama, showLimits);
    showLimits();
}

QString gammaLimitsText(const QString& gammaText, char decimalMark)
{
    const double gama = common::readNumber(gammaText.toStdString(), decimalMark);
    if (const auto refusal = common::checkGamma(gama))
        return QString::fromStdString(refusal->render(decimalMark));
    const auto number = [decimalMark](double value, int decimals) {
        return std::isfinite(value) ? QString::fromStdString(common::writeNumber(value, decimals, decimalMark))
                                    : QStringLiteral("out of range");
    };
    return QString::fromUtf8("Limits for γ = %1:\n"
                             "largest Prandtl-Meyer turning angle %2°\n"
                             "smallest normal-shock M2 %3\n"
                             "lowest To/To* with a supersonic Rayleigh root %4\n"
                             "largest supersonic 4fL*/D %5")
        .arg(QString::fromStdString(common::writeShortest(gama, decimalMark)),
            number(expansion_wave::largestNu(expansion_wave::constantsFor(gama).Kpm), 3),
            number(normal_shock::smallestM2(gama), 5), number(rayleigh::lowestToToStarForSupersonic(gama), 4),
            number(fanno::largestSupersonicFLD4(fanno::Sabitler(gama)), 4));
}

namespace {

struct AboutLabel {
    const char* name;
    int left;
    int top;
    int width;
    int height;
    const char* caption;
    const char* family;
    double points;
    QColor colour;
};

} // namespace

AboutWindow::AboutWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName("Form_About");
    setWindowTitle("About");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(twips(3600), twips(2580));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 192));
    setPalette(palette);
    setAutoFillBackground(true);

    const QColor plain = palette.color(QPalette::WindowText);
    const AboutLabel labels[] = {
        { "Label1", 960, 120, 1215, 255, "Kelmarin", "MS Sans Serif", 12.0, QColor(255, 0, 0) },
        { "Label2", 480, 480, 2295, 255, "Program for Calculating", "Verdana", 8.25, QColor(0, 128, 0) },
        { "Label3", 240, 720, 2895, 255, "Compressible Flow Properties", "Verdana", 8.25, QColor(0, 128, 0) },
        { "Label7", 480, 1200, 2775, 255, "Written by the flowcalc developers", "Verdana", 8.25, plain },
        { "Label8", 480, 1440, 2415, 255, "Last update: May 2007", "Verdana", 8.25, plain },
        { "Label4", 120, 1920, 3375, 255, "For comments and questions e-mail to", "Verdana", 8.25, plain },
        { "Label5", 840, 2160, 1935, 255, "flowcalc@example.org", "Verdana", 8.25, QColor(0, 0, 255) },
    };
    for (const AboutLabel& spec : labels) {
        auto* label = new QLabel(QString::fromUtf8(spec.caption), this);
        label->setObjectName(spec.name);
        label->setGeometry(twipsRect(spec.left, spec.top, spec.width, spec.height));
        QFont labelFont(spec.family);
        labelFont.setPointSizeF(spec.points);
        label->setFont(labelFont);
        QPalette labelPalette = label->palette();
        labelPalette.setColor(QPalette::WindowText, spec.colour);
        label->setPalette(labelPalette);
    }
}
