// The view of a gas table. A long table is shown a page at a time (the rows that fit), and a scroll bar beside
// the view moves the page over the whole table; the wheel, Page Up/Down, Ctrl+Home/End and the arrow keys at
// the page's edge move it as well, so the view scrolls as if it held every row while keeping nothing per row.
#pragma once

#include <QTableView>

#include <cstdint>

class FlowTableModel;
class PageSelectionModel;
class QScrollBar;

class TableRowsView : public QTableView {
public:
    TableRowsView(FlowTableModel* model, QScrollBar* rows, QWidget* parent = nullptr);

    PageSelectionModel* pageSelection() const { return m_selection; }
    void selectAll() override;
    // Brings a row of the table onto the page.
    void showRow(std::int64_t row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitPage();
    void tableChanged();
    // Moves the current cell to a row of the table, bringing it onto the page; Shift extends the selection.
    void moveTo(std::int64_t row, int column, bool extend);

    FlowTableModel* m_model;
    QScrollBar* m_rows;
    PageSelectionModel* m_selection;
};
