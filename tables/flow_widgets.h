// Small helpers the engine's windows (flow solver, gas tables) share: engine names as Qt texts, and naming a
// control for tests and screen readers in one step.
#pragma once

#include "flow_table.h"
#include "gasdyn.h"

#include <QComboBox>
#include <QLabel>
#include <QString>

#include <string_view>

namespace flowui {

inline QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString quantityName(gasdyn::Flow flow, int quantity)
{
    return qs(gasdyn::quantities(flow)[static_cast<std::size_t>(quantity)]);
}

// "theta (degrees)" for an angle, the plain name otherwise.
inline QString valueCaption(gasdyn::Flow flow, int quantity)
{
    const auto name = gasdyn::quantities(flow)[static_cast<std::size_t>(quantity)];
    return qs(name) + (flowtable::isAngle(name) ? " (degrees)" : "");
}

template <class W>
W* named(W* widget, const char* objectName, const char* accessibleName)
{
    widget->setObjectName(objectName);
    widget->setAccessibleName(accessibleName);
    return widget;
}

// Lists the branches of an input kind, its default chosen, and shows the branch list only where there is a
// choice.
inline void showBranches(QComboBox* list, QLabel* label, const gasdyn::InputKind& kind)
{
    list->clear();
    for (gasdyn::Branch b : kind.branches)
        list->addItem(qs(flowtable::branchTitle(b)), static_cast<int>(b));
    if (kind.defaultBranch != gasdyn::Branch::None)
        list->setCurrentIndex(list->findData(static_cast<int>(kind.defaultBranch)));
    const bool branches = !kind.branches.empty();
    label->setVisible(branches);
    list->setVisible(branches);
}

} // namespace flowui
