#include "tables_window.h"

#include "flow_table.h"
#include "flow_widgets.h"
#include "message.h"
#include "number.h"
#include "table_model.h"
#include "table_view.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using flowui::named;
using flowui::qs;
using flowui::quantityName;

// "theta (degrees):" for an angle's label.
QString labelCaption(gasdyn::Flow flow, int quantity)
{
    return flowui::valueCaption(flow, quantity) + ":";
}

QString askFileName(QWidget* parent, const QString& suggested)
{
    return QFileDialog::getSaveFileName(parent, "Save as CSV", suggested, "CSV files (*.csv);;All files (*)", nullptr,
        QFileDialog::DontConfirmOverwrite);
}

bool askReplace(QWidget* parent, const QString& path)
{
    return QMessageBox::question(parent, QString::fromUtf8(common::kApplicationTitle),
               QString("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(path)),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

// Combo_Input's item data: the input kind's index, and which of its inputs runs over the rows.
int inputData(std::size_t kindIndex, bool runsFirst)
{
    return static_cast<int>(kindIndex) * 2 + (runsFirst ? 0 : 1);
}

} // namespace

TablesWindow::TablesWindow(common::GammaSource gamma, QWidget* parent)
    : QWidget(parent)
    , m_gamma(std::move(gamma))
    , m_fileName(askFileName)
    , m_replace(askReplace)
{
    setObjectName("Form_Tables");
    setWindowTitle("Gas tables");

    auto* flowLabel = named(new QLabel("&Flow:", this), "Label_Flow", "Flow label");
    m_flow = named(new QComboBox(this), "Combo_Flow", "Flow");
    for (gasdyn::Flow f : gasdyn::flows())
        m_flow->addItem(qs(flowtable::flowTitle(f)), static_cast<int>(f));
    auto* inputLabel = named(new QLabel("&Rows over:", this), "Label_Input", "Rows over label");
    m_input = named(new QComboBox(this), "Combo_Input", "Input quantity over which the rows run");
    m_fixedLabel = named(new QLabel(this), "Label_Fixed", "Fixed value label");
    m_fixed = named(new QLineEdit("2", this), "Text_Fixed", "Fixed value");
    m_branchLabel = named(new QLabel("&Branch:", this), "Label_Branch", "Branch label");
    m_branch = named(new QComboBox(this), "Combo_Branch", "Branch");
    auto* fromLabel = named(new QLabel("F&rom:", this), "Label_From", "From label");
    m_from = named(new QLineEdit("1", this), "Text_From", "From");
    auto* toLabel = named(new QLabel("&To:", this), "Label_To", "To label");
    m_to = named(new QLineEdit("5", this), "Text_To", "To");
    auto* stepLabel = named(new QLabel("&Step:", this), "Label_Step", "Step label");
    m_step = named(new QLineEdit("0.1", this), "Text_Step", "Step");
    m_command = named(new QPushButton("&Make table", this), "Command1", "Make table");
    m_model = new FlowTableModel(this);
    m_rowsBar = named(new QScrollBar(Qt::Vertical, this), "Scroll_Rows", "Rows of the table");
    m_view = named(new TableRowsView(m_model, m_rowsBar, this), "Table_Rows", "Table rows");
    auto* decimalsLabel = named(new QLabel("&Decimals:", this), "Label_Decimals", "Decimals label");
    m_decimals = named(new QSpinBox(this), "Spin_Decimals", "Decimals shown");
    m_save = named(new QPushButton("Save &as CSV...", this), "Command_Save", "Save as CSV");
    m_status = named(new QLabel(this), "Label_Status", "Status");

    flowLabel->setBuddy(m_flow);
    inputLabel->setBuddy(m_input);
    m_fixedLabel->setBuddy(m_fixed);
    m_branchLabel->setBuddy(m_branch);
    fromLabel->setBuddy(m_from);
    toLabel->setBuddy(m_to);
    stepLabel->setBuddy(m_step);
    decimalsLabel->setBuddy(m_decimals);

    // Fixed row heights and no sizing to contents: nothing in the view walks all rows.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->installEventFilter(this);
    m_decimals->setRange(1, 15);
    m_decimals->setValue(5);
    m_save->setEnabled(false);
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* top = new QGridLayout;
    top->addWidget(flowLabel, 0, 0);
    top->addWidget(m_flow, 0, 1);
    top->addWidget(inputLabel, 0, 2);
    top->addWidget(m_input, 0, 3);
    top->addWidget(m_fixedLabel, 1, 0);
    top->addWidget(m_fixed, 1, 1);
    top->addWidget(m_branchLabel, 1, 2);
    top->addWidget(m_branch, 1, 3);
    auto* range = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*> { fromLabel, m_from, toLabel, m_to, stepLabel, m_step })
        range->addWidget(w);
    range->addWidget(m_command);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(decimalsLabel);
    bottom->addWidget(m_decimals);
    bottom->addStretch();
    bottom->addWidget(m_save);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(range);
    auto* rowsArea = new QHBoxLayout;
    rowsArea->setSpacing(0);
    rowsArea->addWidget(m_view, 1);
    rowsArea->addWidget(m_rowsBar);
    layout->addLayout(rowsArea, 1);
    layout->addLayout(bottom);
    layout->addWidget(m_status);

    QWidget* order[] { m_flow, m_input, m_fixed, m_branch, m_from, m_to, m_step, m_command, m_view, m_decimals,
        m_save };
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_flow, &QComboBox::currentIndexChanged, this, [this] { flowChosen(); });
    connect(m_input, &QComboBox::currentIndexChanged, this, [this] { inputChosen(); });
    connect(m_command, &QPushButton::clicked, this, [this] { make(); });
    for (QLineEdit* edit : { m_fixed, m_from, m_to, m_step })
        connect(edit, &QLineEdit::returnPressed, m_command, &QPushButton::click);
    connect(m_decimals, &QSpinBox::valueChanged, this, [this] { decimalsChanged(); });
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });

    flowChosen();
    resize(sizeHint().width() + 200, 420);
}

void TablesWindow::setFileNameSource(FileNameSource source)
{
    m_fileName = std::move(source);
}

void TablesWindow::setReplaceQuestion(ReplaceQuestion question)
{
    m_replace = std::move(question);
}

gasdyn::Flow TablesWindow::flow() const
{
    return static_cast<gasdyn::Flow>(m_flow->currentData().toInt());
}

const gasdyn::InputKind* TablesWindow::kind() const
{
    const auto kinds = gasdyn::inputKinds(flow());
    const int i = m_input->currentData().toInt() / 2;
    return i >= 0 && i < static_cast<int>(kinds.size()) ? &kinds[static_cast<std::size_t>(i)] : nullptr;
}

bool TablesWindow::runsFirst() const
{
    return m_input->currentData().toInt() % 2 == 0;
}

void TablesWindow::flowChosen()
{
    const gasdyn::Flow f = flow();
    const QSignalBlocker blocker(m_input);
    m_input->clear();
    const auto kinds = gasdyn::inputKinds(f);
    // The usual table of a two-input flow runs over the deflection with M1 fixed.
    const auto theta = gasdyn::quantityIndex(f, f == gasdyn::Flow::ConicalShock ? "theta_c" : "theta");
    int preferred = 0;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const gasdyn::InputKind& k = kinds[i];
        if (k.second < 0) {
            m_input->addItem(quantityName(f, k.first), inputData(i, true));
            continue;
        }
        if (theta && k.first == 0 && k.second == *theta)
            preferred = m_input->count();
        m_input->addItem(quantityName(f, k.second) + ", " + quantityName(f, k.first) + " fixed", inputData(i, false));
        m_input->addItem(quantityName(f, k.first) + ", " + quantityName(f, k.second) + " fixed", inputData(i, true));
    }
    m_input->setCurrentIndex(preferred);
    inputChosen();
}

void TablesWindow::inputChosen()
{
    const gasdyn::InputKind* k = kind();
    if (!k)
        return;
    const gasdyn::Flow f = flow();
    const bool two = k->second >= 0;
    m_fixedLabel->setVisible(two);
    m_fixed->setVisible(two);
    if (two) {
        const int fixed = runsFirst() ? k->second : k->first;
        m_fixedLabel->setText(labelCaption(f, fixed));
        m_fixed->setAccessibleName(quantityName(f, fixed) + ", fixed");
    }
    flowui::showBranches(m_branch, m_branchLabel, *k);
}

void TablesWindow::clearTable()
{
    m_model->clear();
    m_save->setEnabled(false);
}

void TablesWindow::make()
{
    const char mark = common::CalculatorForm::decimalMark();
    const QString gammaText = m_gamma ? m_gamma() : QString("1.4");
    const double gamma = common::readNumber(gammaText.toStdString(), mark);
    if (const auto refusal = common::checkGamma(gamma)) {
        clearTable();
        refuse(QString::fromStdString(refusal->render(mark)));
        return;
    }
    const gasdyn::InputKind* k = kind();
    if (!k)
        return;
    auto read = [mark](const QLineEdit* edit) { return common::readNumber(edit->text().toStdString(), mark); };
    const auto grid = flowtable::makeGrid(
        read(m_from), read(m_to), read(m_step), m_from->text().toStdString(), m_step->text().toStdString(), mark);
    if (const auto* refusal = std::get_if<std::string>(&grid)) {
        clearTable();
        refuse(QString::fromStdString(*refusal));
        return;
    }
    flowtable::Question question;
    question.flow = flow();
    question.gamma = gamma;
    question.kind = k;
    question.runsFirst = runsFirst();
    question.fixed = k->second >= 0 ? read(m_fixed) : 0.0;
    question.branch
        = k->branches.empty() ? gasdyn::Branch::None : static_cast<gasdyn::Branch>(m_branch->currentData().toInt());
    const auto& g = std::get<flowtable::Grid>(grid);
    const flowtable::Rows rows = flowtable::findRows(question, g);
    m_model->setDecimals(m_decimals->value(), mark);
    m_model->setTable(question, g, rows);
    fitColumns();
    m_save->setEnabled(rows.count > 0);
    const QString status = QString::fromStdString(flowtable::describe(question, g, rows, mark));
    if (rows.count == 0)
        refuse(status);
    else
        inform(status);
}

void TablesWindow::refuse(const QString& text)
{
    QPalette warning = palette();
    warning.setColor(QPalette::WindowText, QColor(160, 0, 0));
    m_status->setPalette(warning);
    m_status->setText(text);
}

void TablesWindow::inform(const QString& text)
{
    m_status->setPalette(palette());
    m_status->setText(text);
}

void TablesWindow::decimalsChanged()
{
    m_model->setDecimals(m_decimals->value(), common::CalculatorForm::decimalMark());
    fitColumns();
}

void TablesWindow::fitColumns()
{
    // Each column as wide as its header and the texts of the first rows and the last one.
    const QFontMetrics metrics = m_view->fontMetrics();
    const QFontMetrics headerMetrics = m_view->horizontalHeader()->fontMetrics();
    const int rows = m_model->rowCount();
    for (int c = 0; c < m_model->columnCount(); ++c) {
        int width = headerMetrics.horizontalAdvance(m_model->headerData(c, Qt::Horizontal).toString()) + 24;
        for (int r : { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, rows - 1 }) {
            if (r >= 0 && r < rows)
                width = std::max(width, metrics.horizontalAdvance(m_model->index(r, c).data().toString()) + 16);
        }
        m_view->setColumnWidth(c, width);
    }
}

QString TablesWindow::selectionText() const
{
    if (!m_model->hasTable())
        return {};
    const flowtable::CellSelection& cells = m_view->pageSelection()->cells();
    const std::vector<int> columns = cells.columns();
    if (columns.empty())
        return {};
    std::string text;
    flowtable::appendHeader(text, m_model->question().flow, columns, '\t');
    for (const auto& [top, bottom] : cells.rowRanges()) {
        for (std::int64_t r = top; r <= bottom; ++r) {
            const gasdyn::Outcome outcome = m_model->question().solveAt(m_model->grid().at(m_model->rows().first + r));
            if (const auto* solution = std::get_if<gasdyn::Solution>(&outcome))
                flowtable::appendRow(text, m_model->question().flow, *solution, columns, '\t');
        }
    }
    return QString::fromStdString(text);
}

void TablesWindow::copySelection()
{
    const QString text = selectionText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void TablesWindow::save()
{
    if (!m_model->hasTable() || m_model->rows().count == 0 || !m_fileName)
        return;
    const flowtable::Question question = m_model->question();
    const QString suggested = QDir::home().filePath(qs(gasdyn::name(question.flow)) + ".csv");
    const QString path = m_fileName(this, suggested);
    if (path.isEmpty())
        return;
    const QString shown = QDir::toNativeSeparators(path);
    if (QFileInfo::exists(path) && !(m_replace && m_replace(this, path))) {
        inform(QString("Not saved: %1 was left as it was").arg(shown));
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        refuse(QString("Could not save %1: %2").arg(shown, file.errorString()));
        return;
    }
    std::string chunk;
    chunk.reserve(1 << 20);
    flowtable::appendHeader(chunk, question.flow, ',');
    const flowtable::Grid& grid = m_model->grid();
    const flowtable::Rows& rows = m_model->rows();
    std::int64_t written = 0;
    bool failed = false;
    for (std::int64_t r = 0; r < rows.count && !failed; ++r) {
        const gasdyn::Outcome outcome = question.solveAt(grid.at(rows.first + r));
        if (const auto* solution = std::get_if<gasdyn::Solution>(&outcome)) {
            flowtable::appendRow(chunk, question.flow, *solution, ',');
            ++written;
        }
        if (chunk.size() >= (1 << 20) - 512 || r + 1 == rows.count) {
            failed = file.write(chunk.data(), static_cast<qint64>(chunk.size())) != static_cast<qint64>(chunk.size());
            chunk.clear();
        }
    }
    if (failed || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        refuse(QString("Could not save %1: %2").arg(shown, reason));
        return;
    }
    inform(QString("Saved %1 row%2 to %3").arg(written).arg(written == 1 ? "" : "s").arg(shown));
}

bool TablesWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            event->accept();
            if (event->type() == QEvent::KeyPress)
                copySelection();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
