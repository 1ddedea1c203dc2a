#include "calculator_form.h"

#include "interface_style.h"
#include "number.h"

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <cmath>
#include <utility>

namespace common {

namespace {

// A push button whose caption wraps onto several lines, as the tall calculate buttons need.
class WrappingButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(rect().adjusted(3, 2, -3, -2), Qt::AlignCenter | Qt::TextWordWrap, text());
    }
};

// A frame whose caption sits on its top line, so the controls placed below the caption keep their places
// (the platform style draws the caption above the line).
class LineCaptionFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int line = title().isEmpty() ? 0 : metrics.height() / 2;
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, line, -1, -1));
        if (title().isEmpty())
            return;
        const QRect caption(twips(90), 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
        painter.fillRect(caption, palette().color(QPalette::Window));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(caption, Qt::AlignCenter, title());
    }
};

} // namespace

void showMessageBox(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle), text, QMessageBox::Ok, parent);
    box.setObjectName("MessageBox");
    box.exec();
}

int twips(int value)
{
    double dpi = 96.0;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dpi = screen->logicalDotsPerInch();
    return static_cast<int>(std::lround(value * dpi / 1440.0));
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

QColor backgroundOf(const QLineEdit* box)
{
    return box->palette().color(QPalette::Base);
}

char CalculatorForm::decimalMark()
{
    const QString mark = QLocale().decimalPoint();
    return mark.size() == 1 && mark.at(0).unicode() < 128 ? static_cast<char>(mark.at(0).unicode()) : '.';
}

CalculatorForm::CalculatorForm(const char* objectName, const QString& title, int clientWidth, int clientHeight,
    std::span<const ControlSpec> controls, GammaSource gamma, MessageSink messages, QWidget* parent)
    : QWidget(parent)
    , m_gamma(std::move(gamma))
    , m_messages(std::move(messages))
{
    setObjectName(objectName);
    setWindowTitle(title);
    setFont(interfaceFont());
    resize(twips(clientWidth), twips(clientHeight));

    QWidget* previousFocus = nullptr;
    for (const ControlSpec& spec : controls) {
        QWidget* container = spec.container ? findChild<QWidget*>(spec.container) : this;
        Q_ASSERT(container);
        const QString caption = QString::fromUtf8(spec.caption ? spec.caption : "");
        QWidget* control = nullptr;
        switch (spec.kind) {
        case Kind::Frame:
            control = new LineCaptionFrame(caption, container);
            control->setContextMenuPolicy(Qt::ActionsContextMenu);
            break;
        case Kind::TextBox: {
            auto* edit = new QLineEdit(container);
            m_boxes.push_back(edit);
            // A box whose text changes after a press no longer shows the value of its tooltip.
            connect(edit, &QLineEdit::textChanged, this, [this, edit](const QString& text) {
                const auto computed = m_computed.constFind(edit);
                if (computed != m_computed.cend() && computed->shown != text) {
                    m_computed.erase(computed);
                    edit->setToolTip(QString());
                }
            });
            control = edit;
            break;
        }
        case Kind::Label:
            control = new QLabel(caption, container);
            break;
        case Kind::Option:
            control = new QRadioButton(caption, container);
            break;
        case Kind::Button:
            control = new WrappingButton(caption, container);
            break;
        }
        control->setObjectName(spec.name);
        control->setGeometry(twipsRect(spec.left, spec.top, spec.width, spec.height));
        if (spec.accessibleName)
            control->setAccessibleName(QString::fromUtf8(spec.accessibleName));
        if (spec.hiddenAtStart)
            control->hide();
        if (control->focusPolicy() != Qt::NoFocus) {
            if (previousFocus)
                QWidget::setTabOrder(previousFocus, control);
            previousFocus = control;
        }
    }

    m_copyResults = new QAction(QStringLiteral("Copy results"), this);
    m_copyResults->setObjectName("Action_CopyResults");
    m_copyResults->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    m_copyResults->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(
        m_copyResults, &QAction::triggered, this, [this] { QGuiApplication::clipboard()->setText(resultsTable()); });
    // The window's empty area and its frames offer the action; the boxes keep their own menu. A click on
    // the empty area makes the window the focus, so the shortcut works in a window just activated.
    setContextMenuPolicy(Qt::ActionsContextMenu);
    setFocusPolicy(Qt::ClickFocus);
    addAction(m_copyResults);
    for (QGroupBox* frame : findChildren<QGroupBox*>())
        frame->addAction(m_copyResults);

    QPushButton* button = command();
    connect(button, &QPushButton::clicked, this, [this] { calculate(); });
    // Enter in any box of the calculator presses its calculate button.
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::returnPressed, button, &QPushButton::click);
}

void CalculatorForm::onOptionClicked(const char* optionName, std::function<void()> handler)
{
    connect(option(optionName), &QRadioButton::clicked, this, [handler = std::move(handler)] { handler(); });
}

QLineEdit* CalculatorForm::box(const char* name) const
{
    return findChild<QLineEdit*>(name);
}
QRadioButton* CalculatorForm::option(const char* name) const
{
    return findChild<QRadioButton*>(name);
}
QGroupBox* CalculatorForm::frame(const char* name) const
{
    return findChild<QGroupBox*>(name);
}
QPushButton* CalculatorForm::command() const
{
    return findChild<QPushButton*>("Command1");
}

std::optional<double> CalculatorForm::readGamma()
{
    m_readGammaText = m_gamma ? m_gamma() : QStringLiteral("1.4");
    const double gama = readNumber(m_readGammaText.toStdString(), decimalMark());
    if (auto refusal = checkGamma(gama)) {
        say(*refusal);
        return std::nullopt;
    }
    return gama;
}

double CalculatorForm::readBox(const char* name) const
{
    return readNumber(box(name)->text().toStdString(), decimalMark());
}

void CalculatorForm::writeBox(const char* name, double value, int decimals, const QString& how)
{
    QLineEdit* edit = box(name);
    const QString shown = QString::fromStdString(writeNumber(value, decimals, decimalMark()));
    edit->setText(shown);
    edit->setCursorPosition(0); // a box narrower than its text shows the leading digits
    const QString full = QString::fromStdString(writeShortest(value, decimalMark()));
    m_computed.insert(edit, Computed { shown, full });
    edit->setToolTip(how.isEmpty() ? full : full + '\n' + how);
}

void CalculatorForm::markInput(const char* name)
{
    QLineEdit* edit = box(name);
    m_computed.remove(edit);
    edit->setToolTip(QString());
}

void CalculatorForm::nameQuantities(std::initializer_list<std::pair<const char*, const char*>> names)
{
    for (const auto& [boxName, quantity] : names)
        box(boxName)->setProperty("quantity", QString::fromUtf8(quantity));
}

void CalculatorForm::announce(const Answer& answer)
{
    m_pressGamma = std::make_pair(m_readGammaText, answer.gamma);
    emit answered(answer);
}

QString CalculatorForm::resultsTable() const
{
    const char mark = decimalMark();
    const auto shortest = [mark](double value) {
        return std::isfinite(value) ? QString::fromStdString(writeShortest(value, mark)) : QString();
    };
    // A cell holds no tab or line break of a typed text.
    const auto cell
        = [](QString text) { return text.replace('\t', ' ').replace('\n', ' ').replace('\r', ' ').trimmed(); };
    QStringList lines { QStringLiteral("quantity\tshown\tfull precision") };
    const QString gammaText = m_pressGamma ? m_pressGamma->first : (m_gamma ? m_gamma() : QStringLiteral("1.4"));
    const double gama = m_pressGamma ? m_pressGamma->second : readNumber(gammaText.toStdString(), mark);
    lines << QString::fromUtf8("γ\t") + cell(gammaText) + '\t' + shortest(gama);
    for (const QLineEdit* edit : m_boxes) {
        if (!edit->isVisibleTo(this))
            continue;
        QString quantity = edit->property("quantity").toString();
        if (quantity.isEmpty())
            quantity = edit->objectName().mid(5);
        const auto computed = m_computed.constFind(edit);
        if (computed != m_computed.cend())
            lines << quantity + '\t' + cell(computed->shown) + '\t' + computed->full;
        else
            lines << quantity + " (input)\t" + cell(edit->text()) + '\t'
                    + shortest(readNumber(edit->text().toStdString(), mark));
    }
    return lines.join('\n') + '\n';
}

QString iterationNote(const QString& method, const Iteration& iteration)
{
    QString note = method + ", " + QString::number(iteration.passes) + (iteration.passes == 1 ? " pass" : " passes");
    if (!iteration.converged)
        note += ", not converged";
    return note;
}

void CalculatorForm::setShown(const char* name, bool shown)
{
    if (QWidget* w = findChild<QWidget*>(name))
        w->setVisible(shown);
}

void CalculatorForm::setBackground(const char* name, const QColor& colour)
{
    QLineEdit* edit = box(name);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, colour);
    edit->setPalette(palette);
}

void CalculatorForm::setCaption(const QString& caption)
{
    command()->setText(caption);
}

void CalculatorForm::say(const Message& message)
{
    say(QString::fromStdString(message.render(decimalMark())));
}

void CalculatorForm::say(const QString& text)
{
    if (m_messages)
        m_messages(this, text);
}

} // namespace common
