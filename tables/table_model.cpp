#include "table_model.h"

#include "number.h"

#include <algorithm>

FlowTableModel::FlowTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void FlowTableModel::setTable(
    const flowtable::Question& question, const flowtable::Grid& grid, const flowtable::Rows& rows)
{
    beginResetModel();
    m_question = question;
    m_grid = grid;
    m_rows = rows;
    m_offset = 0;
    for (Cached& cached : m_cache)
        cached.row = -1;
    endResetModel();
}

void FlowTableModel::clear()
{
    beginResetModel();
    m_question.reset();
    m_rows = {};
    m_offset = 0;
    endResetModel();
}

void FlowTableModel::setDecimals(int decimals, char decimalMark)
{
    m_decimals = decimals;
    m_mark = decimalMark;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), { Qt::DisplayRole, Qt::ToolTipRole });
}

const gasdyn::Outcome& FlowTableModel::solved(std::int64_t row) const
{
    Cached& cached = m_cache[static_cast<std::size_t>(row) % kCache];
    if (cached.row != row) {
        cached.outcome = m_question->solveAt(m_grid.at(m_rows.first + row));
        cached.row = row;
    }
    return cached.outcome;
}

int FlowTableModel::pageRows(int viewRows) const
{
    if (!m_question)
        return 0;
    if (!paged())
        return static_cast<int>(m_rows.count);
    return static_cast<int>(std::clamp<std::int64_t>(viewRows, 1, m_rows.count));
}

int FlowTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : pageRows(m_viewRows);
}

void FlowTableModel::setViewRows(int rows)
{
    const int before = rowCount();
    const int after = pageRows(rows);
    if (after > before) {
        beginInsertRows({}, before, after - 1);
        m_viewRows = rows;
        endInsertRows();
    } else if (after < before) {
        beginRemoveRows({}, after, before - 1);
        m_viewRows = rows;
        endRemoveRows();
    } else {
        m_viewRows = rows;
    }
    setOffset(m_offset);
}

void FlowTableModel::setOffset(std::int64_t offset)
{
    offset = std::clamp<std::int64_t>(offset, 0, std::max<std::int64_t>(0, maxOffset()));
    if (offset == m_offset)
        return;
    m_offset = offset;
    if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), { Qt::DisplayRole, Qt::ToolTipRole });
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    }
    emit offsetChanged(m_offset);
}

int FlowTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_question ? 0 : static_cast<int>(gasdyn::quantities(m_question->flow).size());
}

QVariant FlowTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_question)
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const gasdyn::Outcome& outcome = solved(m_offset + index.row());
    if (const auto* refusal = std::get_if<gasdyn::Refusal>(&outcome))
        return role == Qt::ToolTipRole ? QVariant(QString::fromStdString(refusal->message)) : QVariant();
    const auto value = std::get<gasdyn::Solution>(outcome).values[static_cast<std::size_t>(index.column())];
    if (!value)
        return role == Qt::ToolTipRole ? QVariant(QString("Not defined for this state")) : QVariant();
    if (const auto word = gasdyn::categoryWord(m_question->flow, index.column(), *value))
        return QString::fromUtf8(word->data(), static_cast<qsizetype>(word->size()));
    if (role == Qt::ToolTipRole)
        return QString::fromStdString(flowtable::shortest(*value, m_mark));
    return QString::fromStdString(common::writeNumber(*value, m_decimals, m_mark));
}

QVariant FlowTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && m_question && (role == Qt::DisplayRole || role == Qt::ToolTipRole)) {
        const auto names = gasdyn::quantities(m_question->flow);
        if (section >= 0 && section < static_cast<int>(names.size())) {
            const auto name = names[static_cast<std::size_t>(section)];
            QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
            if (role == Qt::ToolTipRole && flowtable::isAngle(name))
                text += " in degrees";
            return text;
        }
    }
    if (orientation == Qt::Vertical && m_question && role == Qt::DisplayRole)
        return QString::number(m_offset + section + 1);
    return QAbstractTableModel::headerData(section, orientation, role);
}

PageSelectionModel::PageSelectionModel(FlowTableModel* model, QObject* parent)
    : QItemSelectionModel(model, parent)
    , m_model(model)
{
}

void PageSelectionModel::select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command)
{
    const std::int64_t offset = m_model->offset();
    const int pageRows = m_model->rowCount();
    const bool extending = command.testFlag(Current);
    if (command.testFlag(Clear))
        m_cells.clear();
    std::vector<flowtable::CellRect> rects;
    for (const QItemSelectionRange& range : selection) {
        if (!range.isValid())
            continue;
        flowtable::CellRect r { offset + range.top(), offset + range.bottom(), range.left(), range.right() };
        const bool wholeColumns
            = command.testFlag(Columns) || (m_wholeColumns && range.top() == 0 && range.bottom() == pageRows - 1);
        const QModelIndex current = currentIndex();
        if (extending && selection.size() == 1 && !wholeColumns) {
            // The view extends from where the extension started on the page; that start may have scrolled away,
            // so the new extent runs from the recorded start cell to the end the view moved.
            const std::int64_t startRow = m_anchorRow - offset;
            int endRow = current.isValid() && current.row() >= range.top() && current.row() <= range.bottom()
                ? current.row()
                : range.bottom();
            if (startRow == range.top())
                endRow = range.bottom();
            else if (startRow == range.bottom())
                endRow = range.top();
            int endColumn = current.isValid() && current.column() >= range.left() && current.column() <= range.right()
                ? current.column()
                : range.right();
            if (m_anchorColumn == range.left())
                endColumn = range.right();
            else if (m_anchorColumn == range.right())
                endColumn = range.left();
            r = { std::min(m_anchorRow, offset + endRow), std::max(m_anchorRow, offset + endRow),
                std::min(m_anchorColumn, endColumn), std::max(m_anchorColumn, endColumn) };
        } else if (!extending && rects.empty()) {
            const bool inside = current.isValid() && current.row() >= range.top() && current.row() <= range.bottom()
                && current.column() >= range.left() && current.column() <= range.right();
            m_anchorRow = offset + (inside ? current.row() : range.top());
            m_anchorColumn = inside ? current.column() : range.left();
        }
        if (command.testFlag(Rows)) {
            r.left = 0;
            r.right = m_model->columnCount() - 1;
        }
        if (wholeColumns) {
            r.top = 0;
            r.bottom = m_model->totalRows() - 1;
        }
        rects.push_back(r);
    }
    using Op = flowtable::CellSelection::Op;
    if (command.testFlag(Toggle))
        m_cells.apply(rects, Op::Toggle, extending);
    else if (command.testFlag(Deselect))
        m_cells.apply(rects, Op::Deselect, extending);
    else if (command.testFlag(Select) || extending)
        m_cells.apply(rects, Op::Select, extending);
    project();
}

void PageSelectionModel::selectCell(std::int64_t row, int column)
{
    m_cells.clear();
    m_cells.apply({ { row, row, column, column } }, flowtable::CellSelection::Op::Select, false);
    m_anchorRow = row;
    m_anchorColumn = column;
    project();
}

void PageSelectionModel::extendTo(std::int64_t row, int column)
{
    m_cells.apply({ { std::min(row, m_anchorRow), std::max(row, m_anchorRow), std::min(column, m_anchorColumn),
                      std::max(column, m_anchorColumn) } },
        flowtable::CellSelection::Op::Select, true);
    project();
}

void PageSelectionModel::selectEverything()
{
    m_cells.clear();
    if (m_model->totalRows() > 0 && m_model->columnCount() > 0)
        m_cells.apply({ { 0, m_model->totalRows() - 1, 0, m_model->columnCount() - 1 } },
            flowtable::CellSelection::Op::Select, false);
    project();
}

void PageSelectionModel::forget()
{
    m_cells.clear();
    m_anchorRow = 0;
    m_anchorColumn = 0;
}

void PageSelectionModel::project()
{
    const std::int64_t offset = m_model->offset();
    const std::int64_t last = offset + m_model->rowCount() - 1;
    QItemSelection page;
    for (const flowtable::CellRect& r : m_cells.rects()) {
        const std::int64_t top = std::max(r.top, offset);
        const std::int64_t bottom = std::min(r.bottom, last);
        if (top <= bottom)
            page.append(QItemSelectionRange(m_model->index(static_cast<int>(top - offset), r.left),
                m_model->index(static_cast<int>(bottom - offset), r.right)));
    }
    QItemSelectionModel::select(page, ClearAndSelect);
}
