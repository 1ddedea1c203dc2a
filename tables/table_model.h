// The rows of a gas table, computed when the view asks for them: the model holds the question, the grid and
// the shown range, and a small fixed cache of recently solved rows, never anything per row. A view keeps a
// record per row it is given, so a long table is given as a page: the rows that fit the view, from an offset
// that a scroll bar of its own moves; a table of up to kWholeLimit rows is given whole.
#pragma once

#include "cell_selection.h"
#include "flow_table.h"

#include <QAbstractTableModel>
#include <QItemSelectionModel>

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
    // The solution of a row of the table (a refusal for a row inside the range that has none).
    const gasdyn::Outcome& solved(std::int64_t row) const;

    // Tables longer than this are given to the view a page at a time.
    static constexpr std::int64_t kWholeLimit = 65536;
    std::int64_t totalRows() const { return m_question ? m_rows.count : 0; }
    bool paged() const { return totalRows() > kWholeLimit; }
    // The table row shown in the page's first row, and the largest it can be.
    std::int64_t offset() const { return m_offset; }
    std::int64_t maxOffset() const { return totalRows() - rowCount(); }
    // How many rows the view shows at once: the length of a page.
    void setViewRows(int rows);
    void setOffset(std::int64_t offset);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void offsetChanged(qint64 offset);

private:
    int pageRows(int viewRows) const;

    std::int64_t m_offset = 0;
    int m_viewRows = 1;
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

// The view's selection kept in table rows: what the view selects on its page is recorded as cells of the whole
// table, and the page shows the part of that record it holds, whatever the offset.
class PageSelectionModel : public QItemSelectionModel {
    Q_OBJECT

public:
    explicit PageSelectionModel(FlowTableModel* model, QObject* parent = nullptr);

    using QItemSelectionModel::select;
    void select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) override;

    // One cell, the start of a later extension (a plain click or key).
    void selectCell(std::int64_t row, int column);
    // From the start cell to this one (Shift with a click or key).
    void extendTo(std::int64_t row, int column);
    void selectEverything();
    // While set, a selection of the page's every row stands for the whole columns (a press on the header).
    void setWholeColumns(bool whole) { m_wholeColumns = whole; }
    // Shows on the page the part of the selection it holds.
    void project();
    void forget();
    const flowtable::CellSelection& cells() const { return m_cells; }

private:
    FlowTableModel* m_model;
    flowtable::CellSelection m_cells;
    std::int64_t m_anchorRow = 0;
    int m_anchorColumn = 0;
    bool m_wholeColumns = false;
};
