#pragma once

#include "client/core/board_grid.h"

#include <QAccessibleWidget>
#include <QHash>

class BoardCanvas;

// The board as assistive technology sees it: a table of 6 rows by 6 columns
// whose cells read as "row 3, column 4: red gloop, 2x". The cell under the
// keyboard cursor holds the focus while the board does.
class BoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardAccessible(BoardCanvas* board);
    ~BoardAccessible() override;

    // Lets Qt build this interface for every board; safe to call often.
    static void install();
    // What a cell says: its place (counted from 1), its tile and its bonus.
    static QString cellName(const BoardGrid& grid, int x, int y);
    // Cells are numbered row by row from the top-left one.
    static int cellIndex(int x, int y) { return y * BoardGrid::Size + x; }

    BoardCanvas* board() const;
    // The cell's screen rectangle, following the board's size on screen.
    QRect cellRect(int x, int y) const;

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return BoardGrid::Size; }
    int rowCount() const override { return BoardGrid::Size; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { }

private:
    // Cell interfaces are made on first request and kept, so a screen reader
    // that holds one keeps talking to the same cell.
    mutable QHash<int, QAccessible::Id> m_cells;
};
