#include "solver_window.h"

#include "flow_table.h"
#include "flow_widgets.h"
#include "message.h"
#include "number.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include <utility>

using flowui::named;
using flowui::qs;
using flowui::quantityName;
using flowui::valueCaption;

SolverWindow::SolverWindow(common::GammaSource gamma, QWidget* parent)
    : QWidget(parent)
    , m_gamma(std::move(gamma))
{
    setObjectName("Form_Solver");
    setWindowTitle("Flow solver");

    auto* flowLabel = named(new QLabel("&Flow:", this), "Label_Flow", "Flow label");
    m_flow = named(new QComboBox(this), "Combo_Flow", "Flow");
    for (gasdyn::Flow f : gasdyn::flows())
        m_flow->addItem(qs(flowtable::flowTitle(f)), static_cast<int>(f));
    auto* inputLabel = named(new QLabel("&Input:", this), "Label_Input", "Input label");
    m_input = named(new QComboBox(this), "Combo_Input", "Input quantity");
    m_branchLabel = named(new QLabel("&Branch:", this), "Label_Branch", "Branch label");
    m_branch = named(new QComboBox(this), "Combo_Branch", "Branch");
    m_label1 = named(new QLabel(this), "Label_Value1", "First value label");
    m_value1 = named(new QLineEdit(this), "Text_Value1", "First value");
    m_label2 = named(new QLabel(this), "Label_Value2", "Second value label");
    m_value2 = named(new QLineEdit(this), "Text_Value2", "Second value");
    m_command = named(new QPushButton("&Calculate", this), "Command1", "Calculate");
    m_results = named(new QTableWidget(0, 2, this), "Table_Results", "Results");
    auto* decimalsLabel = named(new QLabel("&Decimals:", this), "Label_Decimals", "Decimals label");
    m_decimals = named(new QSpinBox(this), "Spin_Decimals", "Decimals shown");
    m_copy = named(new QPushButton("C&opy", this), "Command_Copy", "Copy the results");
    m_status = named(new QLabel(this), "Label_Status", "Status");

    flowLabel->setBuddy(m_flow);
    inputLabel->setBuddy(m_input);
    m_branchLabel->setBuddy(m_branch);
    m_label1->setBuddy(m_value1);
    m_label2->setBuddy(m_value2);
    decimalsLabel->setBuddy(m_decimals);

    m_results->setHorizontalHeaderLabels({ "Quantity", "Value" });
    m_results->verticalHeader()->hide();
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->horizontalHeader()->setStretchLastSection(true);
    m_results->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6); // rows as tall as their text
    m_results->installEventFilter(this);
    m_decimals->setRange(1, 15);
    m_decimals->setValue(5);
    m_copy->setEnabled(false);
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* grid = new QGridLayout(this);
    grid->addWidget(flowLabel, 0, 0);
    grid->addWidget(m_flow, 0, 1);
    grid->addWidget(inputLabel, 1, 0);
    grid->addWidget(m_input, 1, 1);
    grid->addWidget(m_branchLabel, 2, 0);
    grid->addWidget(m_branch, 2, 1);
    grid->addWidget(m_label1, 3, 0);
    grid->addWidget(m_value1, 3, 1);
    grid->addWidget(m_label2, 4, 0);
    grid->addWidget(m_value2, 4, 1);
    grid->addWidget(m_command, 5, 1);
    grid->addWidget(m_results, 6, 0, 1, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(decimalsLabel);
    bottom->addWidget(m_decimals);
    bottom->addStretch();
    bottom->addWidget(m_copy);
    grid->addLayout(bottom, 7, 0, 1, 2);
    grid->addWidget(m_status, 8, 0, 1, 2);
    grid->setRowStretch(6, 1);

    QWidget* order[] { m_flow, m_input, m_branch, m_value1, m_value2, m_command, m_results, m_decimals, m_copy };
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_flow, &QComboBox::currentIndexChanged, this, [this] { flowChosen(); });
    connect(m_input, &QComboBox::currentIndexChanged, this, [this] { inputChosen(); });
    connect(m_command, &QPushButton::clicked, this, [this] { calculate(); });
    connect(m_value1, &QLineEdit::returnPressed, m_command, &QPushButton::click);
    connect(m_value2, &QLineEdit::returnPressed, m_command, &QPushButton::click);
    connect(m_decimals, &QSpinBox::valueChanged, this, [this] { showResults(); });
    connect(m_copy, &QPushButton::clicked, this, [this] { copy(); });

    flowChosen();
}

gasdyn::Flow SolverWindow::flow() const
{
    return static_cast<gasdyn::Flow>(m_flow->currentData().toInt());
}

const gasdyn::InputKind* SolverWindow::kind() const
{
    const auto kinds = gasdyn::inputKinds(flow());
    const int i = m_input->currentData().toInt();
    return i >= 0 && i < static_cast<int>(kinds.size()) ? &kinds[static_cast<std::size_t>(i)] : nullptr;
}

void SolverWindow::flowChosen()
{
    const gasdyn::Flow f = flow();
    {
        const QSignalBlocker blocker(m_input);
        m_input->clear();
        const auto kinds = gasdyn::inputKinds(f);
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            QString text = quantityName(f, kinds[i].first);
            if (kinds[i].second >= 0)
                text += " and " + quantityName(f, kinds[i].second);
            m_input->addItem(text, static_cast<int>(i));
        }
    }
    const auto names = gasdyn::quantities(f);
    m_results->setRowCount(static_cast<int>(names.size()) + 1);
    m_results->setItem(0, 0, new QTableWidgetItem("gamma"));
    for (std::size_t i = 0; i < names.size(); ++i)
        m_results->setItem(static_cast<int>(i) + 1, 0, new QTableWidgetItem(qs(names[i])));
    // Every row in view: the table is as tall as its rows.
    const int rowsHeight = m_results->verticalHeader()->defaultSectionSize() * m_results->rowCount();
    m_results->setMinimumHeight(
        rowsHeight + m_results->horizontalHeader()->sizeHint().height() + 2 * m_results->frameWidth() + 2);
    clearResults();
    m_status->clear();
    inputChosen();
}

void SolverWindow::inputChosen()
{
    const gasdyn::InputKind* k = kind();
    if (!k)
        return;
    const gasdyn::Flow f = flow();
    m_label1->setText(valueCaption(f, k->first) + ":");
    m_value1->setAccessibleName(quantityName(f, k->first));
    const bool two = k->second >= 0;
    m_label2->setVisible(two);
    m_value2->setVisible(two);
    if (two) {
        m_label2->setText(valueCaption(f, k->second) + ":");
        m_value2->setAccessibleName(quantityName(f, k->second));
    }
    flowui::showBranches(m_branch, m_branchLabel, *k);
}

void SolverWindow::calculate()
{
    const char mark = common::CalculatorForm::decimalMark();
    const QString gammaText = m_gamma ? m_gamma() : QString("1.4");
    const double gamma = common::readNumber(gammaText.toStdString(), mark);
    if (const auto refusal = common::checkGamma(gamma)) {
        refuse(QString::fromStdString(refusal->render(mark)));
        return;
    }
    const gasdyn::InputKind* k = kind();
    if (!k)
        return;
    const gasdyn::Given given[] { { k->first, common::readNumber(m_value1->text().toStdString(), mark) },
        { k->second, k->second >= 0 ? common::readNumber(m_value2->text().toStdString(), mark) : 0.0 } };
    const auto branch
        = k->branches.empty() ? gasdyn::Branch::None : static_cast<gasdyn::Branch>(m_branch->currentData().toInt());
    const gasdyn::Flow f = flow();
    const gasdyn::Outcome outcome
        = gasdyn::solve(f, gamma, std::span<const gasdyn::Given>(given, k->second >= 0 ? 2 : 1), branch);
    if (const auto* refusal = std::get_if<gasdyn::Refusal>(&outcome)) {
        refuse(QString::fromStdString(refusal->message));
        return;
    }
    const auto& solution = std::get<gasdyn::Solution>(outcome);
    m_shown = Shown { f, gamma, solution };
    showResults();
    QString how = qs(solution.method.how);
    if (solution.method.passes > 0)
        how += QString(", %1 passes").arg(solution.method.passes);
    m_status->setPalette(palette());
    m_status->setText(how.isEmpty() ? QString() : "Solved: " + how);

    common::Answer answer;
    answer.gamma = gamma;
    answer.flow = std::string(gasdyn::name(f));
    answer.mach = gasdyn::valueOf(solution, 0).value_or(0.0);
    answer.branch = std::string(gasdyn::name(solution.branch));
    if (f == gasdyn::Flow::ObliqueShock || f == gasdyn::Flow::ConicalShock) {
        answer.theta = gasdyn::valueOf(solution, 1);
        answer.beta = gasdyn::valueOf(solution, 2);
    } else if (f == gasdyn::Flow::PrandtlMeyer) {
        answer.theta = gasdyn::valueOf(solution, 2);
    }
    emit answered(answer);
}

void SolverWindow::showResults()
{
    if (!m_shown)
        return;
    const char mark = common::CalculatorForm::decimalMark();
    const int decimals = m_decimals->value();
    // The value items are made once per flow and only rewritten here.
    auto put = [&](int row, std::optional<double> value, std::optional<std::string_view> word) {
        QTableWidgetItem* item = m_results->item(row, 1);
        if (!item) {
            item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_results->setItem(row, 1, item);
        }
        if (word) {
            item->setText(QString::fromUtf8(word->data(), static_cast<qsizetype>(word->size())));
            item->setToolTip(item->text());
        } else if (value) {
            item->setText(QString::fromStdString(common::writeNumber(*value, decimals, mark)));
            item->setToolTip(QString::fromStdString(flowtable::shortest(*value, mark)));
        } else {
            item->setText(QString());
            item->setToolTip("Not defined for this state");
        }
    };
    put(0, m_shown->gamma, std::nullopt);
    const std::size_t count = gasdyn::quantities(m_shown->flow).size();
    for (std::size_t i = 0; i < count; ++i) {
        const auto value = m_shown->solution.values[i];
        put(static_cast<int>(i) + 1, value,
            value ? gasdyn::categoryWord(m_shown->flow, static_cast<int>(i), *value) : std::nullopt);
    }
    m_copy->setEnabled(true);
}

void SolverWindow::clearResults()
{
    m_shown.reset();
    for (int row = 0; row < m_results->rowCount(); ++row)
        delete m_results->takeItem(row, 1);
    m_results->resizeColumnToContents(0);
    m_copy->setEnabled(false);
}

void SolverWindow::refuse(const QString& text)
{
    clearResults();
    QPalette warning = palette();
    warning.setColor(QPalette::WindowText, QColor(160, 0, 0));
    m_status->setPalette(warning);
    m_status->setText(text);
}

QString SolverWindow::copyText() const
{
    if (!m_shown)
        return {};
    std::string text;
    flowtable::appendHeader(text, m_shown->flow, '\t');
    flowtable::appendRow(text, m_shown->flow, m_shown->solution, '\t');
    return QString::fromStdString(text);
}

void SolverWindow::copy()
{
    if (m_shown)
        QApplication::clipboard()->setText(copyText());
}

bool SolverWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_results && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            event->accept();
            if (event->type() == QEvent::KeyPress)
                copy();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
