// Test support for presses with random input: the texts users may type, what a window shows, and the
// faults no window may ever show.
#pragma once

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QStringList>
#include <QWidget>

#include <cmath>

namespace probe {

// Texts at the corners of the reading rule and far beyond every bound.
inline QStringList trickyTexts()
{
    return { "", " ", "0", "-0", "1", "-1", "1e-300", "-1e-300", "1e300", "-1e300", "1e309", "-1e309", "nan", "inf",
        "-inf", "1e", ".", "+", "\t 2 \n", "2,5", "1 000", QString(10000, '7'), QString::fromUtf8("ç2ş"),
        QString::fromUtf8("２"), "0x10", "1.0000000001", "0.9999999999", "90", "-90", "1e-5", "abc" };
}

// A text a user might type: a tricky one, or a number drawn from -scale to scale on a log-like spread.
inline QString randomText(QRandomGenerator& random, double scale = 10.0)
{
    static const QStringList tricky = trickyTexts();
    if (random.bounded(4) == 0)
        return tricky[random.bounded(int(tricky.size()))];
    double value = random.generateDouble() * scale;
    if (random.bounded(3) == 0)
        value = std::pow(10.0, random.generateDouble() * 8.0 - 4.0);
    if (random.bounded(5) == 0)
        value = -value;
    return QString::number(value, 'g', 1 + random.bounded(12));
}

// A gamma text: mostly between 1.01 and 3, sometimes at or beyond the edges.
inline QString randomGamma(QRandomGenerator& random)
{
    switch (random.bounded(10)) {
    case 0:
        return QStringList { "1", "0", "-1.4", "1e300", "abc", "", "1.0000001", "1e309" }[random.bounded(8)];
    default:
        return QString::number(1.01 + random.generateDouble() * 1.99, 'g', 6);
    }
}

// Everything a user sees of a window's boxes, frames and button.
inline QStringList screen(QWidget* window)
{
    QStringList seen;
    for (QGroupBox* frame : window->findChildren<QGroupBox*>())
        seen << frame->objectName() + (frame->isVisibleTo(window) ? " shown" : " hidden");
    for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
        seen << box->objectName() + "|" + box->text() + "|" + (box->isVisibleTo(window) ? "shown" : "hidden") + "|"
                + box->palette().color(QPalette::Base).name();
    }
    seen << window->findChild<QPushButton*>("Command1")->text();
    return seen;
}

// Faults a shown box must never have: a text that is not a number the program wrote, or a Mach number
// that is negative or a marker.
inline QStringList faults(QWidget* window, const QString& typedBox = {})
{
    QStringList found;
    for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
        if (!box->isVisibleTo(window) || box->objectName() == typedBox)
            continue;
        const QString text = box->text();
        const QString lower = text.toLower();
        if (lower.contains("nan") || lower.contains("inf"))
            found << box->objectName() + " shows " + text;
        const bool mach = box->objectName().startsWith("Text_M") && !box->objectName().startsWith("Text_Mu");
        if (mach && (text.startsWith('-') || text == "999"))
            found << box->objectName() + " shows the Mach number " + text;
    }
    return found;
}

// Clicks a random option of the window (any radio button).
inline QRadioButton* randomOption(QWidget* window, QRandomGenerator& random)
{
    const QList<QRadioButton*> options = window->findChildren<QRadioButton*>();
    return options[random.bounded(int(options.size()))];
}

} // namespace probe
