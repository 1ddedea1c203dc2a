#include "interface_style.h"

#include <QApplication>
#include <QProxyStyle>

namespace common {

namespace {

class InterfaceStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_RadioButtonLabelSpacing)
            return optionCaptionSpacing;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

QFont interfaceFont()
{
    QFont font(QStringList { QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial Narrow"),
        QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("DejaVu Sans Condensed") });
    font.setPointSizeF(8.25);
    return font;
}

void applyInterfaceStyle(QApplication& app)
{
    Q_UNUSED(app);
    QApplication::setStyle(new InterfaceStyle);
}

} // namespace common
