// The main window: a multiple-document area holding the gas property strip and the calculators, the
// menu that re-opens them, and the About window.
#pragma once

#include "answer.h"
#include "calculator_form.h"

#include <QMainWindow>
#include <QPointer>

#include <optional>
#include <vector>

class QMdiArea;
class QMdiSubWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(common::MessageSink messages = common::showMessageBox, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The text of the gas property box; re-creates the gas property window when it was closed.
    QString gammaText();

    // The sub-window holding the named child window, or nullptr when it is not open. A window's sub-window
    // is made once and kept: closing the window deletes its form and hides the sub-window, re-opening it
    // puts a new form into the same sub-window.
    QMdiSubWindow* subWindow(const QString& windowName) const;
    QWidget* aboutWindow() const { return m_about; }

    // What the menu items do.
    void reopen(const QString& windowName);
    void showAbout();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Child;
    QMdiSubWindow* ensureOpen(Child& child);
    void place(QMdiSubWindow* sub, int width, int height, int top);
    void placeWhole(QMdiSubWindow* sub, QSize wanted);
    QPoint freePlace(const QMdiSubWindow* sub, const QSize& size) const;
    void connectForm(QWidget* form);
    void takeAnswer(const common::Answer& answer);
    // The form of the named window while it is open, as a Form; nullptr otherwise.
    template <class Form>
    Form* openForm(const QString& windowName) const;

    common::MessageSink m_messages;
    QMdiArea* m_area = nullptr;
    std::vector<Child> m_children;
    QPointer<QWidget> m_about;
    std::optional<common::Answer> m_lastAnswer; // the last answer of any calculator, for the charts
};
