#include "table_model.h"

#include "number.h"

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
    for (Cached& cached : m_cache)
        cached.row = -1;
    endResetModel();
}

void FlowTableModel::clear()
{
    beginResetModel();
    m_question.reset();
    m_rows = {};
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

int FlowTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_question ? 0 : static_cast<int>(m_rows.count);
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
    const gasdyn::Outcome& outcome = solved(index.row());
    if (const auto* refusal = std::get_if<gasdyn::Refusal>(&outcome))
        return role == Qt::ToolTipRole ? QVariant(QString::fromStdString(refusal->message)) : QVariant();
    const auto value = std::get<gasdyn::Solution>(outcome).values[static_cast<std::size_t>(index.column())];
    if (!value)
        return role == Qt::ToolTipRole ? QVariant(QString("Not defined for this state")) : QVariant();
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
    return QAbstractTableModel::headerData(section, orientation, role);
}
