// What the flow solver and gas tables tests share: a gas property text the test edits, and the hands of a
// user (choose a combo item by its text, type into a box, click a button).
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

#include <functional>

namespace fixture {

// The text of the gas property box; the window reads it at every press.
struct Gas {
    QString text = "1.4";
    std::function<QString()> source()
    {
        return [this] { return text; };
    }
};

template <class T>
T* child(QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(name);
    if (!found)
        qFatal("no control named %s", name);
    return found;
}

// Chooses the item with this text, as a click on it in the drop-down would.
inline bool choose(QWidget* window, const char* combo, const QString& text)
{
    QComboBox* box = child<QComboBox>(window, combo);
    const int index = box->findText(text);
    if (index < 0)
        return false;
    box->setCurrentIndex(index);
    return true;
}

inline void type(QWidget* window, const char* name, const QString& text)
{
    QLineEdit* edit = child<QLineEdit>(window, name);
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, text);
}

inline void click(QWidget* window, const char* name)
{
    QTest::mouseClick(child<QAbstractButton>(window, name), Qt::LeftButton);
}

inline QString status(QWidget* window)
{
    return child<QLabel>(window, "Label_Status")->text();
}

inline QStringList comboTexts(QWidget* window, const char* name)
{
    QComboBox* box = child<QComboBox>(window, name);
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// Every visible control has an accessible name, and shows its whole text.
inline void checkLegible(QWidget* window)
{
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || !w->isVisible() || w->objectName().startsWith("qt_"))
            continue;
        QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        const auto* label = qobject_cast<QLabel*>(w);
        if (label && label->wordWrap())
            QVERIFY2(w->height() >= w->heightForWidth(w->width()), qPrintable(w->objectName()));
        else if (label || qobject_cast<QAbstractButton*>(w))
            QVERIFY2(w->width() >= w->sizeHint().width() && w->height() >= w->sizeHint().height(),
                qPrintable(w->objectName()));
    }
}

// The controls among `names` in the order Tab walks them, starting from the window.
inline QStringList tabOrder(QWidget* window, const QStringList& names)
{
    QStringList found;
    QWidget* w = window->nextInFocusChain();
    for (int guard = 0; w && w != window && guard < 1000; ++guard, w = w->nextInFocusChain()) {
        if (names.contains(w->objectName()) && !found.contains(w->objectName()))
            found << w->objectName();
    }
    return found;
}

} // namespace fixture
