// The base of every calculator window: controls built from one table, the message seam, where gamma
// comes from, and reading and writing boxes by the program's number rules.
#pragma once

#include "answer.h"
#include "message.h"
#include "result.h"

#include <QColor>
#include <QHash>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <utility>
#include <vector>

class QAction;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace common {

inline constexpr const char* kApplicationTitle = "Compressible Flow Calculator";

// Where messages go: the program shows a modal box, tests record them.
using MessageSink = std::function<void(QWidget* parent, const QString& text)>;
// Where gamma comes from: the current text of the gas property box.
using GammaSource = std::function<QString()>;

// The program's sink: a modal message box with the text, an OK button only and the application's title.
void showMessageBox(QWidget* parent, const QString& text);

// Twips (1/1440 inch) to pixels at the primary screen's logical DPI.
int twips(int value);
QRect twipsRect(int left, int top, int width, int height);

namespace colour {
inline const QColor white { 255, 255, 255 }; // the box that takes the input
inline const QColor grey { 200, 200, 200 }; // computed boxes
inline const QColor frameGrey { 192, 192, 192 }; // boxes inside the captionless result frame
} // namespace colour

enum class Kind { Frame, TextBox, Label, Option, Button };

// One row of a window's control table, in tab order. Positions are twips relative to the container
// (nullptr: the window itself); the container must come earlier in the table. A control hidden at
// start is hidden once the window is built.
struct ControlSpec {
    const char* name;
    Kind kind;
    const char* container;
    int left;
    int top;
    int width;
    int height;
    const char* caption;
    const char* accessibleName;
    bool hiddenAtStart;
};

class CalculatorForm : public QWidget {
    Q_OBJECT

public:
    // The decimal mark of the user's locale, used for reading and writing every box.
    static char decimalMark();

    // What the window shows as a tab-separated table: the header "quantity, shown, full precision", the
    // gamma of the last press, then one line per visible box in tab order; a box that holds the user's
    // input is marked "(input)" and its full precision is the value it reads as.
    QString resultsTable() const;
    // "Copy results" (context menu of the window and its frames, Ctrl+Shift+C): the table to the clipboard.
    QAction* copyResultsAction() const { return m_copyResults; }

signals:
    // After every successful press: what the press found.
    void answered(const common::Answer& answer);

protected:
    CalculatorForm(const char* objectName, const QString& title, int clientWidth, int clientHeight,
        std::span<const ControlSpec> controls, GammaSource gamma, MessageSink messages, QWidget* parent);

    // The calculate button's handler.
    virtual void calculate() = 0;

    // Runs `handler` on every click of the option, also when it is already selected.
    void onOptionClicked(const char* optionName, std::function<void()> handler);

    QLineEdit* box(const char* name) const;
    QRadioButton* option(const char* name) const;
    QGroupBox* frame(const char* name) const;
    QPushButton* command() const;

    // Reads gamma and checks it; on a refusal the message is shown and nothing is returned.
    std::optional<double> readGamma();
    double readBox(const char* name) const;
    // Writes a computed value rounded to `decimals`; the box's tooltip gives the value at full precision
    // and `how`, for a value found by an iteration, how it was found. Any later change of the box's text
    // (an option click, the user typing) removes the tooltip.
    void writeBox(const char* name, double value, int decimals, const QString& how = {});
    // The box holds the user's input again although the press wrote it: no tooltip.
    void markInput(const char* name);
    // The short quantity names of the boxes, as the copied table shows them ("Po/P"); by default the
    // box's name without its "Text_".
    void nameQuantities(std::initializer_list<std::pair<const char*, const char*>> names);
    // Ends a successful press: keeps its gamma for the copied table and tells the answer.
    void announce(const Answer& answer);
    void setShown(const char* name, bool shown);
    void setBackground(const char* name, const QColor& colour);
    void setCaption(const QString& caption);

    void say(const Message& message);
    void say(const QString& text);

private:
    // What writeBox put in a box: the text shown and the value behind it.
    struct Computed {
        QString shown;
        QString full;
    };

    GammaSource m_gamma;
    MessageSink m_messages;
    std::vector<QLineEdit*> m_boxes; // in tab order
    QHash<const QLineEdit*, Computed> m_computed;
    QString m_readGammaText; // the gamma text of the press under way
    std::optional<std::pair<QString, double>> m_pressGamma; // text and value of the last successful press
    QAction* m_copyResults = nullptr;
};

// How an iteration found its value, for a tooltip: "Newton iteration, 6 passes", with ", not
// converged" when it ran out of passes.
QString iterationNote(const QString& method, const Iteration& iteration);

// The background a box shows.
QColor backgroundOf(const QLineEdit* box);

} // namespace common
