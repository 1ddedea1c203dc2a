// Random walks over the whole main window: option clicks, presses with typed texts, menu re-opens,
// closing calculators and the gas property window, and gamma edits, in an order drawn from fixed seeds.
// Each calculator has a small model of its state table (which option is selected, whether the last press
// succeeded, which boxes are shown, white or grey, the caption of the calculate button, whether the result
// frame is shown), and after every step every open window is compared with its model.
#include "form_probe.h"
#include "main_window.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
const double pi = 4.0 * std::atan(1.0);
const double degToRad = pi / 180.0;

// ---------------------------------------------------------------------------------------------------
// What a user types, with the value the reading rule gives it.

struct Typed {
    QString text;
    double value = 0.0;
};

// Texts that are no plain number, or lie far outside every range. No tab or line feed: typed into a box
// they would move the focus or press the button.
const std::vector<Typed>& junkTexts()
{
    static const std::vector<Typed> texts = {
        { "", 0.0 },
        { " ", 0.0 },
        { "abc", 0.0 },
        { "-0", 0.0 },
        { ".", 0.0 },
        { "+", 0.0 },
        { "0", 0.0 },
        { "1e", 1.0 },
        { "2abc", 2.0 },
        { "1 000", 1000.0 },
        { " 1.5 ", 1.5 },
        { "-1", -1.0 },
        { "-2.5", -2.5 },
        { "1e309", infinity },
        { "-1e309", -infinity },
        { "nan", 0.0 },
        { "inf", 0.0 },
        { "1e-300", 1e-300 },
        { "1e300", 1e300 },
        { "0x10", 0.0 },
        { "12345678901234567890", 12345678901234567890.0 },
        { "90", 90.0 },
        { "1", 1.0 },
        { "1.0000000001", 1.0000000001 },
    };
    return texts;
}

// A number in [low, high], written the way a user might type it.
Typed numberIn(QRandomGenerator& random, double low, double high)
{
    double value = low + random.generateDouble() * (high - low);
    switch (random.bounded(8)) {
    case 0:
        value = low;
        break;
    case 1:
        value = high;
        break;
    default:
        break;
    }
    const QString text = QString::number(value, 'g', 1 + random.bounded(6));
    return { text, text.toDouble() };
}

Typed randomGamma(QRandomGenerator& random)
{
    static const std::vector<Typed> junk = {
        { "1", 1.0 },
        { "abc", 0.0 },
        { "", 0.0 },
        { "0.9", 0.9 },
        { "-1.4", -1.4 },
        { "1e309", infinity },
        { " 1.3", 1.3 },
        { "1.3abc", 1.3 },
        { "1.", 1.0 },
    };
    if (random.bounded(12) == 0)
        return junk[random.bounded(int(junk.size()))];
    return numberIn(random, 1.1, 1.67);
}

// ---------------------------------------------------------------------------------------------------
// What a window must show: its state table row.

enum class Look {
    Hidden,
    White, // shown, 255,255,255
    Grey, // shown, 200,200,200
    FrameGrey, // in the result frame: shown with it, always 192,192,192
};

struct Expected {
    QString caption;
    QStringList checked; // the selected option buttons
    std::map<QString, bool> frames; // frame name -> shown
    std::map<QString, Look> boxes; // every text box
    std::map<QString, QString> texts; // texts known for the boxes shown
};

QString colourName(Look look)
{
    switch (look) {
    case Look::White:
        return "#ffffff";
    case Look::Grey:
        return "#c8c8c8";
    case Look::FrameGrey:
        return "#c0c0c0";
    case Look::Hidden:
        break;
    }
    return {};
}

QStringList checkedOptions(QWidget* window)
{
    QStringList checked;
    for (QRadioButton* option : window->findChildren<QRadioButton*>()) {
        if (option->isChecked())
            checked << option->objectName();
    }
    checked.sort();
    return checked;
}

// Everything the user sees of a calculator, the selected options included.
QStringList fullScreen(QWidget* window)
{
    return probe::screen(window) + checkedOptions(window);
}

// The differences between what the window shows and its expected row.
QStringList compare(QWidget* window, const Expected& expected)
{
    QStringList problems;
    const QString caption = window->findChild<QPushButton*>("Command1")->text();
    if (caption != expected.caption)
        problems << QString("Command1 reads \"%1\", expected \"%2\"").arg(caption, expected.caption);
    QStringList wanted = expected.checked;
    wanted.sort();
    if (checkedOptions(window) != wanted) {
        problems << QString("selected options [%1], expected [%2]")
                        .arg(checkedOptions(window).join(", "), wanted.join(", "));
    }
    bool resultFrame = false;
    for (const auto& [name, shown] : expected.frames) {
        auto* frame = window->findChild<QWidget*>(name);
        if (!frame) {
            problems << name + " is missing";
            continue;
        }
        if (frame->isVisibleTo(window) != shown)
            problems << name + (shown ? " is hidden, expected shown" : " is shown, expected hidden");
        if (name == "Frame1")
            resultFrame = shown;
    }
    for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
        const QString name = box->objectName();
        const auto look = expected.boxes.find(name);
        if (look == expected.boxes.end()) {
            problems << name + " is not in the model";
            continue;
        }
        const bool shown = look->second == Look::FrameGrey ? resultFrame : look->second != Look::Hidden;
        const QString colour = common::backgroundOf(box).name();
        if (box->isVisibleTo(window) != shown)
            problems << name + (shown ? " is hidden, expected shown" : " is shown, expected hidden");
        if ((shown || look->second == Look::FrameGrey) && colour != colourName(look->second))
            problems << QString("%1 is %2, expected %3").arg(name, colour, colourName(look->second));
        if (!shown)
            continue;
        const auto text = expected.texts.find(name);
        if (text != expected.texts.end() && box->text() != text->second)
            problems << QString("%1 holds \"%2\", expected \"%3\"").arg(name, box->text(), text->second);
        if (look->second != Look::White && box->text().trimmed().isEmpty())
            problems << name + " shows a result with no text";
    }
    return problems;
}

// ---------------------------------------------------------------------------------------------------
// What a press must do.

enum class Tri { No, Yes, Either };

struct Verdict {
    enum Kind { Refuse, Accept, Either } kind = Either;
    QString message; // Refuse: the message, or its beginning when `prefix`; empty: any one message
    bool prefix = false;
    Tri variant = Tri::Either; // the window's own choice of result row (see each model)
    QStringList notices; // messages a successful press may show with its results
    bool anyNotice = false;
    bool noticeRequired = false;
};

Verdict refuse(const QString& message = {}, bool prefix = false)
{
    return { Verdict::Refuse, message, prefix, Tri::Either, {}, false, false };
}
Verdict accept(Tri variant = Tri::Either, const QStringList& notices = {})
{
    return { Verdict::Accept, {}, false, variant, notices, false, false };
}
Verdict either(Tri variant = Tri::Either, const QStringList& notices = {})
{
    return { Verdict::Either, {}, false, variant, notices, false, false };
}

bool resolve(Tri variant, bool observed)
{
    return variant == Tri::Either ? observed : variant == Tri::Yes;
}

bool shownIn(QWidget* window, const char* name)
{
    return window->findChild<QWidget*>(name)->isVisibleTo(window);
}

// ---------------------------------------------------------------------------------------------------
// The calculations as the calculators define them, as far as the fate of a press depends on them.

// The Prandtl-Meyer angle in radians of M >= 1.
double prandtlMeyer(double K, double M)
{
    const double s = std::sqrt(M * M - 1.0);
    return K * std::atan(s / K) - std::atan(s);
}

enum class Search { Converged, BelowOne, Unsettled };

// The Newton iteration on the Prandtl-Meyer angle: start sqrt(2.5), slope with the fixed coefficient 0.2.
// `stopBelowOne`: an iterate below Mach 1 ends it (the expansion wave's test at the head of each pass).
Search machFromPrandtlMeyer(double K, double target, int passes, double tolerance, bool stopBelowOne)
{
    double M = std::sqrt(2.5);
    for (int pass = 1; pass <= passes; ++pass) {
        if (stopBelowOne && std::abs(M - 1.0) < 1e-9)
            return Search::Unsettled; // too close to the test to tell
        if (stopBelowOne && M < 1.0)
            return Search::BelowOne;
        if (!(M >= 1.0))
            return Search::Unsettled;
        const double s = std::sqrt(M * M - 1.0);
        const double f = (K * std::atan(s / K) - std::atan(s)) - target;
        if (std::abs(f) < tolerance)
            return std::abs(std::abs(f) - tolerance) < 1e-12 ? Search::Unsettled : Search::Converged;
        const double d = (s / M) / (1.0 + 0.2 * M * M);
        M = M - f / d;
        if (!std::isfinite(M))
            return Search::Unsettled;
    }
    return Search::Unsettled;
}

// The Newton iteration on the oblique shock's wave angle; the converged angle in degrees, or NaN.
double waveAngle(double g, double M1, double TetaD, bool strong)
{
    const double t = std::tan(degToRad * TetaD);
    double Beta = pi / 2.0;
    if (!strong) {
        const double x = 1.0 / M1;
        Beta = std::atan(x / std::sqrt(1.0 - x * x));
    }
    double b = Beta / degToRad;
    for (int pass = 1; pass <= 20; ++pass) {
        const double bOld = b;
        const double s = std::sin(Beta);
        const double s2 = std::sin(2.0 * Beta);
        const double c2 = std::cos(2.0 * Beta);
        const double tb = std::tan(Beta);
        const double A = 2.0 * ((M1 * s) * (M1 * s) - 1.0);
        const double D = tb * (M1 * M1 * (g + c2) + 2.0);
        const double dA = 2.0 * M1 * M1 * s2;
        const double dD = (tb * tb + 1.0) * (M1 * M1 * (g + c2) + 2.0) - 2.0 * M1 * M1 * tb * s2;
        const double f = A / D - t;
        const double slope = (dA * D - A * dD) / (D * D);
        Beta = Beta - f / slope;
        b = Beta / degToRad;
        if (!std::isfinite(b))
            return notANumber;
        if (std::abs(b - bOld) < 0.001 || std::abs(f) < 1e-5)
            return b;
    }
    return notANumber;
}

// 4fL*/D of a Mach number.
double frictionParameter(double g, double M)
{
    const double m2 = M * M;
    return (1.0 - m2) / (g * m2) + ((g + 1.0) / (2.0 * g)) * std::log((g + 1.0) * m2 / (2.0 + (g - 1.0) * m2));
}

// ---------------------------------------------------------------------------------------------------
// The models. Each knows its window's options, boxes, captions and what a press must do.

enum class Phase { Fresh, Awaiting, Result };

struct Range {
    double low;
    double high;
};

class Model {
public:
    Model(const char* window, const char* menuItem)
        : m_window(window)
        , m_menuItem(menuItem)
    {
    }
    virtual ~Model() = default;
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    const char* window() const { return m_window; }
    const char* menuItem() const { return m_menuItem; }

    // The options a user can click now.
    virtual QStringList clickable() const = 0;
    virtual void click(const QString& option) = 0;
    // The white boxes a user types the input into.
    virtual QStringList inputs() const = 0;
    // The values a user means to type into a box.
    virtual Range range(const QString& box) const = 0;
    // What a press must do with this gamma (greater than 1).
    virtual Verdict predict(QWidget* window, double gama) const = 0;
    // A press went through: the result row, chosen by `verdict` or, where it leaves the choice, by what
    // the window shows. Returns what does not fit.
    virtual QStringList accepted(QWidget* window, const Verdict& verdict, const QStringList& notices) = 0;
    virtual Expected expected() const = 0;

    void typed(const QString& box, const Typed& typed) { m_texts[box] = typed; }
    // Whether the box holds text the user typed (or the blank an option click left).
    bool userText(const QString& box) const { return m_texts.contains(box); }

protected:
    // The value of a box: the one of the text typed, or the number the program wrote there.
    double valueOf(QWidget* window, const QString& box) const
    {
        const auto typed = m_texts.find(box);
        if (typed != m_texts.end())
            return typed->value;
        bool ok = false;
        const double value = QLocale::c().toDouble(window->findChild<QLineEdit*>(box)->text(), &ok);
        return ok ? value : notANumber;
    }
    void knownTexts(Expected& expected) const
    {
        for (auto it = m_texts.begin(); it != m_texts.end(); ++it)
            expected.texts[it.key()] = it.value().text;
    }

    QMap<QString, Typed> m_texts;
    Phase m_phase = Phase::Fresh;
    QString m_option; // the option selected, empty while none is

private:
    const char* m_window;
    const char* m_menuItem;
};

// The box under an option: Option_X -> Text_X.
QString boxOf(const QString& option)
{
    return "Text_" + option.mid(int(qstrlen("Option_")));
}

// Isentropic flow: five input options; the result shows all five boxes at or above Mach 1, three below.
// Variant: whether nu and mu are shown.
class IsentropicModel final : public Model {
public:
    IsentropicModel()
        : Model("Form_IseFlow", "Mn_IseFlow")
    {
    }
    QStringList clickable() const override
    {
        return { "Option_M", "Option_PoP", "Option_ToT", "Option_Nu", "Option_Mu" };
    }
    void click(const QString& option) override
    {
        m_option = option;
        m_phase = Phase::Awaiting;
        m_texts.clear();
        m_texts[boxOf(option)] = { " ", 0.0 };
    }
    QStringList inputs() const override
    {
        return m_phase == Phase::Fresh ? QStringList() : QStringList { boxOf(m_option) };
    }
    Range range(const QString& box) const override
    {
        if (box == "Text_M")
            return { 0.05, 10.0 };
        if (box == "Text_PoP")
            return { 1.001, 1000.0 };
        if (box == "Text_ToT")
            return { 1.001, 20.0 };
        if (box == "Text_Nu")
            return { 0.0, 90.0 };
        return { 1.0, 90.0 };
    }
    Verdict predict(QWidget* window, double g) const override
    {
        if (m_option.isEmpty())
            return refuse("choose an input parameter");
        const double x = valueOf(window, boxOf(m_option));
        if (std::isnan(x))
            return either();
        const auto byMach = [](double M) { return M > 1.0 + 1e-9 ? Tri::Yes : M < 1.0 - 1e-9 ? Tri::No : Tri::Either; };
        if (m_option == "Option_M") {
            if (!(x > 0.0))
                return refuse("M must be greater then 0");
            return x <= 1e6 ? accept(x >= 1.0 ? Tri::Yes : Tri::No) : either();
        }
        if (m_option == "Option_PoP") {
            if (!(x > 1.0))
                return refuse("Po/P must be equal or greater then 1");
            if (x > 1e100)
                return either();
            return accept(byMach(std::sqrt((std::pow(x, (g - 1.0) / g) - 1.0) * 2.0 / (g - 1.0))));
        }
        if (m_option == "Option_ToT") {
            if (!(x > 1.0))
                return refuse("To/T must be equal or greater then 1");
            return x <= 1e6 ? accept(byMach(std::sqrt((x - 1.0) * 2.0 / (g - 1.0)))) : either();
        }
        if (m_option == "Option_Nu") {
            if (x < 0.0 || x > 90.0)
                return refuse("Nu must be between 0 and 90 degrees");
            const double K = std::sqrt((g + 1.0) / (g - 1.0));
            if (x > (K - 1.0) * 90.0 - 1.0)
                return either();
            const Search search = machFromPrandtlMeyer(K, pi * x / 180.0, 100, 1e-6, false);
            return search == Search::Converged ? accept(Tri::Yes) : either(Tri::Yes);
        }
        if (x < 1.0 || x > 90.0)
            return refuse("Mu must be between 1 and 90 degrees");
        return accept(Tri::Yes);
    }
    QStringList accepted(QWidget* window, const Verdict& verdict, const QStringList&) override
    {
        m_phase = Phase::Result;
        m_angles = resolve(verdict.variant, shownIn(window, "Text_Nu"));
        m_texts.remove(boxOf(m_option)); // rewritten from the Mach number
        return {};
    }
    Expected expected() const override
    {
        Expected e;
        e.caption = m_phase == Phase::Fresh ? "Choose an input option" : "Input value then CLICK";
        if (!m_option.isEmpty())
            e.checked << m_option;
        e.frames["Frame4"] = true;
        e.frames["Frame1"] = m_phase == Phase::Result;
        e.boxes["Text_RoR"] = Look::FrameGrey;
        for (const QString& option : clickable()) {
            const QString box = boxOf(option);
            const bool chosen = option == m_option;
            bool shown = false;
            if (m_phase == Phase::Awaiting)
                shown = chosen;
            else if (m_phase == Phase::Result)
                shown = (box != "Text_Nu" && box != "Text_Mu") || m_angles;
            e.boxes[box] = !shown ? Look::Hidden : chosen ? Look::White : Look::Grey;
        }
        knownTexts(e);
        return e;
    }

private:
    bool m_angles = false;
};

// Normal shock: three input options; a result shows the whole input row and the ratio frame, which stays
// shown from the first result on. Variant: none.
class NormalShockModel final : public Model {
public:
    NormalShockModel()
        : Model("Form_NmShock", "Mn_NmShock")
    {
    }
    QStringList clickable() const override { return { "Option_M1", "Option_M2", "Option_Po2P1" }; }
    void click(const QString& option) override
    {
        m_option = option;
        m_phase = Phase::Awaiting;
        m_texts.clear();
        m_texts[boxOf(option)] = { " ", 0.0 };
    }
    QStringList inputs() const override
    {
        return m_phase == Phase::Fresh ? QStringList() : QStringList { boxOf(m_option) };
    }
    Range range(const QString& box) const override
    {
        if (box == "Text_M1")
            return { 1.0, 20.0 };
        if (box == "Text_M2")
            return { 0.38, 1.0 };
        return { 1.8929, 1000.0 };
    }
    Verdict predict(QWidget* window, double g) const override
    {
        if (m_option.isEmpty())
            return refuse("Choose an input option");
        const double x = valueOf(window, boxOf(m_option));
        if (std::isnan(x))
            return either();
        if (m_option == "Option_M1") {
            if (!(x >= 1.0))
                return refuse("M1 must be equal or greater than 1");
            return x <= 1e6 ? accept() : either();
        }
        if (m_option == "Option_M2") {
            if (x > 1.0)
                return refuse("M2 must be equal or lower than 1");
            if (!(x > 0.3779))
                return refuse("M2 must be greater than 0.3779");
            const double q = g * x * x - (g - 1.0) / 2.0; // no upstream Mach number unless positive
            if (q <= -1e-9)
                return refuse();
            return q > 1e-6 ? accept() : either();
        }
        if (x < 1.8929)
            return refuse("Po2/P1 must be greater then 1.8929");
        const QStringList notices { QString::fromUtf8("iterasyon 50 adımda yakınsamadı") };
        const double sonic = std::pow((g + 1.0) / 2.0, g / (g - 1.0));
        if (x >= sonic * (1.0 + 1e-4) && x <= 1e8)
            return accept(Tri::Either, notices);
        return either(Tri::Either, notices);
    }
    QStringList accepted(QWidget*, const Verdict&, const QStringList&) override
    {
        m_phase = Phase::Result;
        m_frame = true;
        return {};
    }
    Expected expected() const override
    {
        Expected e;
        e.caption = m_phase == Phase::Fresh ? "Choose an input option" : "SET input value then CLICK";
        if (!m_option.isEmpty())
            e.checked << m_option;
        e.frames["Frame3"] = true;
        e.frames["Frame1"] = m_frame;
        for (const char* box : { "Text_P2P1", "Text_Ro2Ro1", "Text_T2T1", "Text_Po2Po1" })
            e.boxes[box] = Look::FrameGrey;
        for (const QString& option : clickable()) {
            const bool chosen = option == m_option;
            Look look = Look::Hidden;
            if (m_phase == Phase::Result)
                look = chosen ? Look::White : Look::Grey;
            else if (m_phase == Phase::Awaiting && chosen)
                look = Look::White;
            e.boxes[boxOf(option)] = look;
        }
        knownTexts(e);
        return e;
    }

private:
    bool m_frame = false;
};

// Heat addition: input M or To/To*. Variant: whether the supersonic Mach number is shown (input To/To*).
class RayleighModel final : public Model {
public:
    RayleighModel()
        : Model("Form_HeatFlo", "Mn_HeatFlo")
    {
    }
    QStringList clickable() const override { return { "Option_M", "Option_ToToStar" }; }
    void click(const QString& option) override
    {
        m_option = option;
        m_phase = Phase::Awaiting;
        m_texts.clear();
        m_texts[boxOf(option)] = { " ", 0.0 };
    }
    QStringList inputs() const override
    {
        return m_phase == Phase::Fresh ? QStringList() : QStringList { boxOf(m_option) };
    }
    Range range(const QString& box) const override
    {
        return box == "Text_M" ? Range { 0.05, 10.0 } : Range { 0.3, 1.0 };
    }
    Verdict predict(QWidget* window, double g) const override
    {
        if (m_option.isEmpty())
            return refuse("choose an input parameter");
        const double x = valueOf(window, boxOf(m_option));
        if (std::isnan(x))
            return either();
        if (m_option == "Option_M") {
            if (!(x > 0.0))
                return refuse(" M must be greater then zero");
            return x >= 1e-6 && x <= 1e6 ? accept() : either();
        }
        if (x > 1.0)
            return refuse("To/To* must be equal 1 or lower then 1");
        const double lowest = (g - 1.0) * (g + 1.0) / (g * g); // the To/To* of Mach infinity
        if (x > lowest + 0.01)
            return accept(Tri::Yes);
        Verdict v = either();
        v.anyNotice = true;
        return v;
    }
    QStringList accepted(QWidget* window, const Verdict& verdict, const QStringList& notices) override
    {
        m_phase = Phase::Result;
        if (m_option != "Option_ToToStar")
            return {};
        m_supersonic = resolve(verdict.variant, shownIn(window, "Text_Msup"));
        if (m_supersonic != notices.isEmpty())
            return { "the supersonic Mach number is " + QString(m_supersonic ? "shown" : "hidden") + " with "
                + QString::number(notices.size()) + " notices" };
        return {};
    }
    Expected expected() const override
    {
        Expected e;
        e.caption = m_phase == Phase::Fresh ? "Coose an Input Option" : "Input value then CLICK";
        if (!m_option.isEmpty())
            e.checked << m_option;
        e.frames["Frame2"] = true;
        const bool fromM = m_option == "Option_M";
        e.frames["Frame1"] = m_phase == Phase::Result && fromM;
        for (const char* box : { "Text_TTstar", "Text_PPstar", "Text_RoRoStar", "Text_PoPoStar" })
            e.boxes[box] = Look::FrameGrey;
        e.boxes["Text_M"] = Look::Hidden;
        e.boxes["Text_Msup"] = Look::Hidden;
        e.boxes["Text_ToToStar"] = Look::Hidden;
        if (m_phase != Phase::Fresh)
            e.boxes[boxOf(m_option)] = Look::White;
        if (m_phase == Phase::Result && fromM)
            e.boxes["Text_ToToStar"] = Look::Grey;
        if (m_phase == Phase::Result && !fromM) {
            e.boxes["Text_M"] = Look::Grey;
            e.boxes["Text_Msup"] = m_supersonic ? Look::Grey : Look::Hidden;
        }
        knownTexts(e);
        return e;
    }

private:
    bool m_supersonic = false;
};

// Friction: input M or 4fL*/D. Variant: whether the supersonic Mach number is shown (input 4fL*/D).
class FannoModel final : public Model {
public:
    FannoModel()
        : Model("Form_FricFlo", "Mn_FricFlo")
    {
    }
    QStringList clickable() const override { return { "Option_M", "Option_FLD4" }; }
    void click(const QString& option) override
    {
        m_option = option;
        m_phase = Phase::Awaiting;
        m_texts.clear();
        m_texts[inputBox()] = { " ", 0.0 };
    }
    QStringList inputs() const override { return m_phase == Phase::Fresh ? QStringList() : QStringList { inputBox() }; }
    Range range(const QString& box) const override
    {
        return box == "Text_Msub" ? Range { 0.05, 10.0 } : Range { 0.0, 1.2 };
    }
    Verdict predict(QWidget* window, double g) const override
    {
        if (m_option.isEmpty())
            return refuse("choose an input parameter");
        const double x = valueOf(window, inputBox());
        if (std::isnan(x))
            return either();
        if (m_option == "Option_M") {
            if (!(x > 0.0))
                return refuse(" M must be greater then zero");
            return x >= 1e-6 && x <= 1e6 ? accept() : either();
        }
        const QString noSupersonic = QString::fromUtf8("bu 4L*f/D için süpersonik çözüm yok");
        const QStringList notices { noSupersonic, "The value is too large to be calculated" };
        // The subsonic search steps down from Mach 0.5 by halves: it reaches every target up to the
        // 4fL*/D of Mach 0.25. The supersonic one climbs in whole steps and gives up past Mach 5.
        if (x < 0.0 || x > frictionParameter(g, 0.25) - 0.01)
            return either(Tri::Either, notices);
        const double largest = ((g + 1.0) / (2.0 * g)) * std::log((g + 1.0) / (g - 1.0)) - 1.0 / g;
        if (x < frictionParameter(g, 5.0) - 1e-3)
            return accept(Tri::Yes);
        if (x > largest + 1e-3) {
            Verdict v = accept(Tri::No, { noSupersonic });
            v.noticeRequired = true;
            return v;
        }
        return either(Tri::Either, notices);
    }
    QStringList accepted(QWidget* window, const Verdict& verdict, const QStringList& notices) override
    {
        m_phase = Phase::Result;
        if (m_option != "Option_FLD4")
            return {};
        m_supersonic = resolve(verdict.variant, shownIn(window, "Text_Msup"));
        if (m_supersonic != notices.isEmpty())
            return { "the supersonic Mach number is " + QString(m_supersonic ? "shown" : "hidden") + " with "
                + QString::number(notices.size()) + " notices" };
        return {};
    }
    Expected expected() const override
    {
        Expected e;
        e.caption = m_phase == Phase::Fresh ? "Coose an Input Option" : "Input value then CLICK";
        if (!m_option.isEmpty())
            e.checked << m_option;
        e.frames["Frame2"] = true;
        const bool fromM = m_option == "Option_M";
        e.frames["Frame1"] = m_phase == Phase::Result && fromM;
        for (const char* box : { "Text_TTstar", "Text_PPstar", "Text_RoRoStar", "Text_PoPoStar" })
            e.boxes[box] = Look::FrameGrey;
        e.boxes["Text_Msub"] = Look::Hidden;
        e.boxes["Text_Msup"] = Look::Hidden;
        e.boxes["Text_FLD4"] = Look::Hidden;
        if (m_phase != Phase::Fresh)
            e.boxes[inputBox()] = Look::White;
        if (m_phase == Phase::Result && fromM)
            e.boxes["Text_FLD4"] = Look::Grey;
        if (m_phase == Phase::Result && !fromM) {
            e.boxes["Text_Msub"] = Look::Grey;
            e.boxes["Text_Msup"] = m_supersonic ? Look::Grey : Look::Hidden;
        }
        knownTexts(e);
        return e;
    }

private:
    QString inputBox() const { return m_option == "Option_M" ? "Text_Msub" : "Text_FLD4"; }
    bool m_supersonic = false;
};

// The two windows whose options choose the output: the other two boxes are the inputs.
class OutputChoiceModel : public Model {
public:
    using Model::Model;
    void click(const QString& option) override
    {
        m_option = option;
        m_phase = Phase::Awaiting;
        m_texts.clear();
        for (const QString& box : inputs())
            m_texts[box] = { "", 0.0 };
    }
    QStringList inputs() const override
    {
        QStringList boxes;
        if (m_phase == Phase::Fresh)
            return boxes;
        for (const QString& option : outputs()) {
            if (option != m_option)
                boxes << boxOf(option);
        }
        return boxes;
    }
    QStringList accepted(QWidget*, const Verdict&, const QStringList&) override
    {
        m_phase = Phase::Result;
        return {};
    }

protected:
    virtual QStringList outputs() const = 0;
    // The row common to both windows; the caption and the frames are the windows' own.
    void fillRow(Expected& e, const QStringList& resultBoxes) const
    {
        if (!m_option.isEmpty())
            e.checked << m_option;
        e.frames["Frame2"] = true;
        e.frames["Frame1"] = m_phase == Phase::Result;
        for (const QString& box : resultBoxes)
            e.boxes[box] = Look::FrameGrey;
        for (const QString& option : outputs()) {
            Look look = Look::Hidden;
            if (m_phase != Phase::Fresh && option != m_option)
                look = Look::White;
            else if (m_phase == Phase::Result)
                look = Look::Grey;
            e.boxes[boxOf(option)] = look;
        }
        knownTexts(e);
    }
    double input(QWidget* window, const char* box) const { return valueOf(window, box); }
};

// Oblique shock: output M1, theta or beta; weak or strong for beta.
class ObliqueShockModel final : public OutputChoiceModel {
public:
    ObliqueShockModel()
        : OutputChoiceModel("Form_OblShock", "Mn_OblShock")
    {
    }
    QStringList clickable() const override
    {
        QStringList options = outputs();
        if (m_option == "Option_Beta")
            options << "Option_Weak"
                    << "Option_Strong";
        return options;
    }
    void click(const QString& option) override
    {
        if (option == "Option_Weak" || option == "Option_Strong")
            m_strong = option == "Option_Strong";
        else
            OutputChoiceModel::click(option);
    }
    Range range(const QString& box) const override
    {
        if (box == "Text_M1")
            return { 1.0, 10.0 };
        if (box == "Text_Teta")
            return { -5.0, 45.0 };
        return { 0.0, 90.0 };
    }
    Verdict predict(QWidget* window, double g) const override
    {
        if (m_option.isEmpty())
            return refuse("Choose an Output option");
        if (m_option == "Option_Beta") {
            const double M1 = input(window, "Text_M1");
            const double TetaD = input(window, "Text_Teta");
            if (std::isnan(M1) || std::isnan(TetaD))
                return either();
            if (!(M1 > 1.0))
                return refuse("M1 must be greater then 1");
            const QStringList notices { QString::fromUtf8(" iterasyon 20 adımda yakınsamadı") };
            if (M1 < 1.05 || M1 > 50.0 || TetaD < 0.0 || TetaD >= 90.0)
                return either(Tri::Either, notices);
            const double BetaD = waveAngle(g, M1, TetaD, m_strong);
            const double machAngle = std::asin(1.0 / M1) / degToRad;
            if (BetaD >= machAngle - 1e-7 && BetaD <= 90.0 + 1e-7)
                return accept();
            return either(Tri::Either, notices);
        }
        if (m_option == "Option_Teta") {
            const double M1 = input(window, "Text_M1");
            const double BetaD = input(window, "Text_Beta");
            if (std::isnan(M1) || std::isnan(BetaD))
                return either();
            if (!(M1 > 1.0))
                return refuse("M1 must be greater then 1");
            if (BetaD > 90.0)
                return refuse("Beta must be less then 90 degrees");
            const double margin = std::sin(degToRad * BetaD) - 1.0 / M1;
            if (margin < -1e-9)
                return refuse("For this Mach number no solution for given Beta");
            return margin > 1e-9 && M1 <= 1e6 && BetaD >= 0.0 ? accept() : either();
        }
        const double TetaD = input(window, "Text_Teta");
        const double BetaD = input(window, "Text_Beta");
        if (std::isnan(TetaD) || std::isnan(BetaD))
            return either();
        if (TetaD < 0.0)
            return refuse("Teta must be equal or greater then 0 degree");
        if (TetaD >= 90.0)
            return refuse("Teta must be less then 90 degrees");
        if (BetaD > 90.0)
            return refuse("Beta must be equal or less then 90 degrees");
        if (BetaD < 0.0)
            return either();
        const double Beta = degToRad * BetaD;
        const double K = std::tan(Beta) * std::tan(degToRad * TetaD);
        const double den = std::sin(Beta) * std::sin(Beta) - K * (g + std::cos(2.0 * Beta)) / 2.0;
        if (den <= -1e-9)
            return refuse("no solution for M1. Teta must be equal or less then ", true);
        if (den > 1e-4 && std::sqrt((1.0 + K) / den) <= 1e6)
            return accept();
        return either();
    }
    Expected expected() const override
    {
        Expected e;
        e.caption = m_phase == Phase::Awaiting ? "SET Input values than CLICK" : "Choose an Output option";
        fillRow(e, { "Text_Mn1", "Text_Mn2", "Text_M2", "Text_p2p1", "Text_T2T1" });
        e.frames["Frame3"] = m_option == "Option_Beta";
        e.checked << (m_strong ? "Option_Strong" : "Option_Weak");
        return e;
    }

private:
    QStringList outputs() const override { return { "Option_M1", "Option_Teta", "Option_Beta" }; }
    bool m_strong = false;
};

// Expansion wave: output M1, Teta or M2.
class ExpansionWaveModel final : public OutputChoiceModel {
public:
    ExpansionWaveModel()
        : OutputChoiceModel("Form_ExpWave", "Mn_ExpWave")
    {
    }
    QStringList clickable() const override { return outputs(); }
    Range range(const QString& box) const override
    {
        return box == "Text_Teta" ? Range { -10.0, 60.0 } : Range { 1.0, 5.0 };
    }
    Verdict predict(QWidget* window, double g) const override
    {
        if (m_option.isEmpty())
            return refuse("Choose an Output option");
        const double K = std::sqrt((g + 1.0) / (g - 1.0));
        const double largest = (K - 1.0) * 90.0;
        // The Mach number of a Prandtl-Meyer angle in degrees, by the Newton iteration with its fixed slope.
        const auto machFor = [&](double nu) {
            if (nu >= largest + 1e-6)
                return refuse();
            if (nu > largest - 1.0)
                return either();
            switch (machFromPrandtlMeyer(K, nu * degToRad, 50, 1e-5, true)) {
            case Search::Converged:
                return accept();
            case Search::BelowOne:
                // Below zero no Mach number has the angle; from zero up the Newton iteration may
                // still step below Mach 1 where its fixed slope does not fit the gas.
                return nu < 0.0 ? refuse("There is no solution for given M2") : either();
            case Search::Unsettled:
                break;
            }
            return either();
        };
        if (m_option == "Option_Teta") {
            const double M1 = input(window, "Text_M1");
            const double M2 = input(window, "Text_M2");
            if (std::isnan(M1) || std::isnan(M2))
                return either();
            if (!(M1 > 1.0) || !(M2 > 1.0))
                return refuse("M1 and M2 must be greater than 1");
            return M1 <= 1e6 && M2 <= 1e6 ? accept() : either();
        }
        const bool findM1 = m_option == "Option_M1";
        const double M = input(window, findM1 ? "Text_M2" : "Text_M1");
        const double Teta = input(window, "Text_Teta");
        if (std::isnan(M) || std::isnan(Teta))
            return either();
        if (!(M > 1.0))
            return refuse(findM1 ? "M2 must be greater than 1" : "M1 must be greater than 1");
        if (M > 1e6 || !(std::abs(Teta) <= 1e6))
            return either();
        const double nu = prandtlMeyer(K, M) / degToRad;
        return machFor(findM1 ? nu - Teta : nu + Teta);
    }
    Expected expected() const override
    {
        Expected e;
        e.caption = m_phase == Phase::Fresh ? "Choose an Output option" : "SET Input values than CLICK";
        fillRow(e, { "Text_Nu1", "Text_Nu2", "Text_p2p1", "Text_T2T1" });
        return e;
    }

private:
    QStringList outputs() const override { return { "Option_M1", "Option_Teta", "Option_M2" }; }
};

std::unique_ptr<Model> freshModel(const QString& window)
{
    if (window == "Form_IseFlow")
        return std::make_unique<IsentropicModel>();
    if (window == "Form_NmShock")
        return std::make_unique<NormalShockModel>();
    if (window == "Form_HeatFlo")
        return std::make_unique<RayleighModel>();
    if (window == "Form_FricFlo")
        return std::make_unique<FannoModel>();
    if (window == "Form_OblShock")
        return std::make_unique<ObliqueShockModel>();
    return std::make_unique<ExpansionWaveModel>();
}

const QStringList calculators { "Form_IseFlow", "Form_HeatFlo", "Form_FricFlo", "Form_NmShock", "Form_OblShock",
    "Form_ExpWave" };

// ---------------------------------------------------------------------------------------------------
// One walk: a main window, the models of its calculators and of the gas property window, and a log of
// the steps for the report of a failure.

class Walk {
public:
    explicit Walk(quint32 seed)
        : m_random(seed)
    {
        m_main = std::make_unique<MainWindow>([this](QWidget* parent, const QString& text) {
            m_messages << text;
            m_speakers << (parent ? parent->objectName() : QString());
        });
        m_main->show();
        for (const QString& name : calculators) {
            m_models[name] = freshModel(name);
            m_fresh[name] = fullScreen(window(name));
        }
    }
    ~Walk()
    {
        m_main.reset();
        settle();
    }
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

    // One random step, then the check of every window. Returns what went wrong.
    QStringList step()
    {
        m_problems.clear();
        const int pick = m_random.bounded(100);
        if (pick < 25)
            clickOption();
        else if (pick < 65)
            typeAndPress();
        else if (pick < 72)
            pressOnly();
        else if (pick < 80)
            menu();
        else if (pick < 87)
            closeOne();
        else
            editGamma();
        checkAll();
        return m_problems;
    }

    // The check of the windows as they open.
    QStringList start()
    {
        m_problems.clear();
        checkAll();
        return m_problems;
    }

    QString recentSteps() const { return m_log.mid(std::max<qsizetype>(0, m_log.size() - 30)).join("\n"); }
    // How the presses went: how many, refused, and how many the model foresaw as refused, accepted, or
    // left to the window.
    QString pressCounts() const
    {
        return QString("%1 presses, %2 refused; foreseen: %3 refused, %4 accepted, %5 either way")
            .arg(m_presses)
            .arg(m_refusals)
            .arg(m_verdicts[Verdict::Refuse])
            .arg(m_verdicts[Verdict::Accept])
            .arg(m_verdicts[Verdict::Either]);
    }

private:
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QWidget* window(const QString& name) const
    {
        QMdiSubWindow* sub = m_main->subWindow(name);
        return sub ? sub->widget() : nullptr;
    }
    QStringList open() const
    {
        QStringList names;
        for (const QString& name : calculators) {
            if (m_models.at(name))
                names << name;
        }
        return names;
    }
    template <class T>
    T pickFrom(const QList<T>& list)
    {
        return list[m_random.bounded(int(list.size()))];
    }
    void problem(const QString& text) { m_problems << text; }

    void clickOption()
    {
        const QStringList names = open();
        if (names.isEmpty())
            return menu();
        const QString name = pickFrom(names);
        Model& model = *m_models.at(name);
        const QString option = pickFrom(model.clickable());
        m_log << name + ": click " + option;
        QTest::mouseClick(window(name)->findChild<QRadioButton*>(option), Qt::LeftButton);
        model.click(option);
    }

    Typed randomInput(const Model& model, const QString& box)
    {
        if (m_random.bounded(6) == 0)
            return junkTexts()[m_random.bounded(int(junkTexts().size()))];
        const Range range = model.range(box);
        return numberIn(m_random, range.low, range.high);
    }

    void typeInto(QLineEdit* box, const QString& text)
    {
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
        else
            QTest::keyClicks(box, text);
    }

    void typeAndPress()
    {
        const QStringList names = open();
        if (names.isEmpty())
            return menu();
        const QString name = pickFrom(names);
        Model& model = *m_models.at(name);
        QWidget* w = window(name);
        for (const QString& box : model.inputs()) {
            const Typed typed = randomInput(model, box);
            m_log << QString("%1: type \"%2\" into %3").arg(name, typed.text, box);
            typeInto(w->findChild<QLineEdit*>(box), typed.text);
            model.typed(box, typed);
        }
        press(name);
    }

    void pressOnly()
    {
        const QStringList names = open();
        if (names.isEmpty())
            return menu();
        press(pickFrom(names));
    }

    void press(const QString& name)
    {
        Model& model = *m_models.at(name);
        QWidget* w = window(name);
        if (!m_gasOpen)
            m_gamma = { "1.4", 1.4 }; // the press brings the gas property window back with its default
        m_gasOpen = true;
        const double g = m_gamma.value;
        const Verdict verdict = g > 1.0 && std::isfinite(g) ? model.predict(w, g) : refuse();
        const QStringList before = fullScreen(w);
        const qsizetype count = m_messages.size();
        m_log << QString("%1: press (gamma %2)").arg(name, m_gamma.text);
        QTest::mouseClick(w->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        ++m_presses;
        const QStringList said = m_messages.mid(count);
        for (const QString& speaker : m_speakers.mid(count)) {
            if (speaker != name)
                problem(QString("a message of the press in %1 came from %2").arg(name, speaker));
        }
        const bool changed = fullScreen(w) != before;
        if (!said.isEmpty())
            m_log << "  said: " + said.join(" / ");

        ++m_verdicts[verdict.kind];
        if (verdict.kind == Verdict::Refuse || (verdict.kind == Verdict::Either && !said.isEmpty() && !changed)) {
            ++m_refusals;
            if (said.size() != 1)
                problem(QString("a refused press showed %1 messages: %2").arg(said.size()).arg(said.join(" / ")));
            else if (!verdict.message.isEmpty()
                && !(verdict.prefix ? said[0].startsWith(verdict.message) : said[0] == verdict.message))
                problem(QString("the press was refused with \"%1\", expected \"%2\"").arg(said[0], verdict.message));
            if (changed) {
                problem("a refused press changed the window:\n  before: " + before.join(" ; ")
                    + "\n  after:  " + fullScreen(w).join(" ; "));
            }
            return;
        }
        for (const QString& text : said) {
            if (!verdict.anyNotice && !verdict.notices.contains(text))
                problem(QString("the press should have shown its results, and said \"%1\"").arg(text));
        }
        if (verdict.noticeRequired && said.isEmpty())
            problem("the press should have said " + verdict.notices.join(" / "));
        m_problems << model.accepted(w, verdict, said);
    }

    void menu()
    {
        static const QStringList items { "Mn_IseFlow", "Mn_NmShock", "Mn_HeatFlo", "Mn_FricFlo", "Mn_OblShock",
            "Mn_ExpWave", "Mn_About" };
        const QString item = pickFrom(items);
        m_log << "menu " + item;
        QAction* action = m_main->findChild<QAction*>(item);
        if (item == "Mn_About") {
            action->trigger();
            if (!m_main->aboutWindow() || !m_main->aboutWindow()->isVisible())
                problem("About did not show the About window");
            return;
        }
        static const std::map<QString, QString> windowOf { { "Mn_IseFlow", "Form_IseFlow" },
            { "Mn_NmShock", "Form_NmShock" }, { "Mn_HeatFlo", "Form_HeatFlo" }, { "Mn_FricFlo", "Form_FricFlo" },
            { "Mn_OblShock", "Form_OblShock" }, { "Mn_ExpWave", "Form_ExpWave" } };
        const QString name = windowOf.at(item);
        QWidget* before = window(name);
        const QStringList screenBefore = before ? fullScreen(before) : QStringList();
        action->trigger();
        QWidget* after = window(name);
        if (!after) {
            problem(item + " did not open " + name);
            return;
        }
        if (before) {
            if (after != before)
                problem(item + " replaced the open window " + name);
            else if (fullScreen(after) != screenBefore)
                problem(item + " changed the state of the open window " + name);
        } else {
            m_models[name] = freshModel(name);
            if (fullScreen(after) != m_fresh.at(name)) {
                problem(item + " re-opened " + name + " unlike a fresh window:\n  fresh: "
                    + m_fresh.at(name).join(" ; ") + "\n  shown: " + fullScreen(after).join(" ; "));
            }
        }
    }

    void closeOne()
    {
        QStringList names = open();
        if (m_main->subWindow("Form_Properties"))
            names << "Form_Properties";
        if (m_main->aboutWindow())
            names << "Form_About";
        if (names.isEmpty())
            return menu();
        const QString name = pickFrom(names);
        m_log << "close " + name;
        if (name == "Form_About") {
            m_main->aboutWindow()->close();
            settle();
            if (m_main->aboutWindow())
                problem("the About window is still there after closing it");
            return;
        }
        m_main->subWindow(name)->close();
        settle();
        if (m_main->subWindow(name))
            problem(name + " is still there after closing it");
        if (name == "Form_Properties")
            m_gasOpen = false;
        else
            m_models[name].reset();
    }

    void editGamma()
    {
        QWidget* gas = window("Form_Properties");
        if (!gas)
            return pressOnly();
        m_gamma = randomGamma(m_random);
        m_log << QString("gamma \"%1\"").arg(m_gamma.text);
        typeInto(gas->findChild<QLineEdit*>("Text_Gama"), m_gamma.text);
    }

    void checkAll()
    {
        for (const QString& name : calculators) {
            const Model* model = m_models.at(name).get();
            QWidget* w = window(name);
            if (!model) {
                if (w)
                    problem(name + " is open, expected closed");
                continue;
            }
            if (!w || !m_main->subWindow(name)->isVisible()) {
                problem(name + " is not shown");
                continue;
            }
            for (const QString& text : compare(w, model->expected()))
                problem(name + ": " + text);
            for (const QString& fault : probe::faults(w)) {
                if (!model->userText(fault.section(' ', 0, 0)))
                    problem(name + ": " + fault);
            }
        }
        QWidget* gas = window("Form_Properties");
        if (bool(gas) != m_gasOpen)
            problem(QString("the gas property window is ") + (gas ? "open" : "closed") + ", expected "
                + (m_gasOpen ? "open" : "closed"));
        if (gas) {
            const QString text = gas->findChild<QLineEdit*>("Text_Gama")->text();
            if (text != m_gamma.text)
                problem(QString("the gas property box holds \"%1\", expected \"%2\"").arg(text, m_gamma.text));
            if (!m_main->subWindow("Form_Properties")->isVisible())
                problem("the gas property window is not shown");
        }
    }

    QRandomGenerator m_random;
    std::unique_ptr<MainWindow> m_main;
    std::map<QString, std::unique_ptr<Model>> m_models; // null while the window is closed
    std::map<QString, QStringList> m_fresh; // what each calculator shows when it is new
    bool m_gasOpen = true;
    Typed m_gamma { "1.4", 1.4 };
    QStringList m_messages;
    QStringList m_speakers;
    QStringList m_problems;
    QStringList m_log;
    int m_presses = 0;
    int m_refusals = 0;
    int m_verdicts[3] = { 0, 0, 0 };
};

} // namespace

class TestShellSequences : public QObject {
    Q_OBJECT

private slots:
    void randomWalk_data();
    void randomWalk();
};

void TestShellSequences::randomWalk_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("steps");
    for (quint32 seed : { 1u, 7u, 42u, 1234u, 20240501u, 987654321u })
        QTest::addRow("seed %u", seed) << seed << 1000;
}

void TestShellSequences::randomWalk()
{
    QFETCH(quint32, seed);
    QFETCH(int, steps);
    Walk walk(seed);
    const QStringList atStart = walk.start();
    QVERIFY2(atStart.isEmpty(), qPrintable(atStart.join("\n")));
    for (int i = 1; i <= steps; ++i) {
        const QStringList problems = walk.step();
        if (!problems.isEmpty()) {
            const QString report = QString("seed %1, step %2:\n%3\nlast steps:\n%4")
                                       .arg(seed)
                                       .arg(i)
                                       .arg(problems.join("\n"), walk.recentSteps());
            QFAIL(qPrintable(report));
        }
    }
    qInfo("seed %u: %d steps, %s", seed, steps, qPrintable(walk.pressCounts()));
}

QTEST_MAIN(TestShellSequences)
#include "tst_shell_sequences.moc"
