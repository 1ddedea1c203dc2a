#include "table_view.h"

#include "table_model.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

TableRowsView::TableRowsView(FlowTableModel* model, QScrollBar* rows, QWidget* parent)
    : QTableView(parent)
    , m_model(model)
    , m_rows(rows)
{
    setModel(model);
    QItemSelectionModel* plain = selectionModel();
    m_selection = new PageSelectionModel(model, this);
    setSelectionModel(m_selection);
    delete plain;
    m_rows->setSingleStep(1);
    m_rows->hide();
    horizontalHeader()->viewport()->installEventFilter(this);
    connect(m_rows, &QScrollBar::valueChanged, this, [this](int value) {
        m_model->setOffset(value);
        m_selection->project();
    });
    connect(m_model, &FlowTableModel::offsetChanged, this, [this](qint64 offset) {
        const QSignalBlocker blocker(m_rows);
        m_rows->setValue(static_cast<int>(offset));
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { tableChanged(); });
}

void TableRowsView::tableChanged()
{
    m_selection->forget();
    const bool paged = m_model->paged();
    setVerticalScrollBarPolicy(paged ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    m_rows->setVisible(paged);
    fitPage();
}

void TableRowsView::fitPage()
{
    const int rowHeight = std::max(1, verticalHeader()->defaultSectionSize());
    m_model->setViewRows(std::max(1, viewport()->height() / rowHeight));
    const QSignalBlocker blocker(m_rows);
    m_rows->setRange(0, static_cast<int>(std::max<std::int64_t>(0, m_model->maxOffset())));
    m_rows->setPageStep(std::max(1, m_model->rowCount()));
    m_rows->setValue(static_cast<int>(m_model->offset()));
    if (m_model->paged())
        verticalScrollBar()->setValue(0);
    m_selection->project();
}

bool TableRowsView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Resize)
        fitPage();
    return QTableView::viewportEvent(event);
}

bool TableRowsView::eventFilter(QObject* watched, QEvent* event)
{
    // A press on a column's header selects the column of the whole table, not of the page.
    if (watched == horizontalHeader()->viewport()) {
        if (event->type() == QEvent::MouseButtonPress)
            m_selection->setWholeColumns(true);
        else if (event->type() == QEvent::MouseButtonRelease)
            m_selection->setWholeColumns(false);
    }
    return QTableView::eventFilter(watched, event);
}

void TableRowsView::selectAll()
{
    m_selection->selectEverything();
}

void TableRowsView::showRow(std::int64_t row)
{
    if (row < m_model->offset())
        m_model->setOffset(row);
    else if (row >= m_model->offset() + m_model->rowCount())
        m_model->setOffset(row - m_model->rowCount() + 1);
    m_selection->project();
}

void TableRowsView::moveTo(std::int64_t row, int column, bool extend)
{
    row = std::clamp<std::int64_t>(row, 0, m_model->totalRows() - 1);
    showRow(row);
    selectionModel()->setCurrentIndex(
        m_model->index(static_cast<int>(row - m_model->offset()), column), QItemSelectionModel::NoUpdate);
    if (extend)
        m_selection->extendTo(row, column);
    else
        m_selection->selectCell(row, column);
}

void TableRowsView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex current = currentIndex();
    if (!m_model->paged() || !current.isValid()) {
        QTableView::keyPressEvent(event);
        return;
    }
    const std::int64_t row = m_model->offset() + current.row();
    const int last = m_model->rowCount() - 1;
    const bool extend = event->modifiers().testFlag(Qt::ShiftModifier);
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    switch (event->key()) {
    case Qt::Key_PageDown:
        moveTo(row + m_model->rowCount(), current.column(), extend);
        return;
    case Qt::Key_PageUp:
        moveTo(row - m_model->rowCount(), current.column(), extend);
        return;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (control) {
            const bool end = event->key() == Qt::Key_End;
            moveTo(end ? m_model->totalRows() - 1 : 0, end ? m_model->columnCount() - 1 : 0, extend);
            return;
        }
        break;
    case Qt::Key_Down:
    case Qt::Key_Up: {
        // At the page's edge the page moves by a row under the current cell, then the view moves the cell
        // onto the new row as usual.
        const bool down = event->key() == Qt::Key_Down;
        if (down ? current.row() == last && m_model->offset() < m_model->maxOffset()
                 : current.row() == 0 && m_model->offset() > 0) {
            m_model->setOffset(m_model->offset() + (down ? 1 : -1));
            m_selection->project();
            selectionModel()->setCurrentIndex(
                m_model->index(current.row() + (down ? -1 : 1), current.column()), QItemSelectionModel::NoUpdate);
        }
        break;
    }
    default:
        break;
    }
    QTableView::keyPressEvent(event);
}

void TableRowsView::wheelEvent(QWheelEvent* event)
{
    if (m_model->paged())
        QApplication::sendEvent(m_rows, event);
    else
        QTableView::wheelEvent(event);
}
