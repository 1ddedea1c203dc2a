// The interface font and style of every window: a narrow sans face whose digits let each box show its
// whole value at the design geometry, and a style that leaves an option's caption room beside its circle.
#pragma once

#include <QFont>

class QApplication;

namespace common {

// The font of every calculator and the gas property window: Liberation Sans Narrow at 8.25 point (11
// pixels at 96 DPI; 5-pixel digits), or a metric twin when it is missing.
QFont interfaceFont();

// The window style: the platform style with 2 pixels between an option's circle and its caption (the
// Fusion style leaves 6, which cuts the one-letter Greek captions of 375-twip options).
void applyInterfaceStyle(QApplication& app);

// The gap between an option's circle and its caption under the interface style.
inline constexpr int optionCaptionSpacing = 2;

} // namespace common
