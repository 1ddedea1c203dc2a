// The rows of a gas table, computed when the view asks for them: the model holds the question, the grid and
// the shown range, and a small fixed cache of recently solved rows, never anything per row.
#pragma once

#include "flow_table.h"

#include <QAbstractTableModel>

#include <array>
#include <cstdint>
#include <optional>

class FlowTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit FlowTableModel(QObject* parent = nullptr);

    // Shows the rows of `rows` (an empty question clears the table).
    void setTable(const flowtable::Question& question, const flowtable::Grid& grid, const flowtable::Rows& rows);
    void clear();
    void setDecimals(int decimals, char decimalMark);

    bool hasTable() const { return m_question.has_value(); }
    const flowtable::Question& question() const { return *m_question; }
    const flowtable::Grid& grid() const { return m_grid; }
    const flowtable::Rows& rows() const { return m_rows; }
    // The solution of a shown row (a refusal for a row inside the range that has none).
    const gasdyn::Outcome& solved(std::int64_t row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::optional<flowtable::Question> m_question;
    flowtable::Grid m_grid;
    flowtable::Rows m_rows;
    int m_decimals = 5;
    char m_mark = '.';

    struct Cached {
        std::int64_t row = -1;
        gasdyn::Outcome outcome;
    };
    static constexpr std::size_t kCache = 128;
    mutable std::array<Cached, kCache> m_cache;
};
