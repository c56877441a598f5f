#pragma once

#include <QAccessibleInterface>

class BoardAccessible;

// One cell of the board for assistive technology: its name says the tile and
// the bonus in it, its rectangle follows the board on screen, and it is
// focused while the keyboard cursor rests on it.
class BoardCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    BoardCellAccessible(BoardAccessible* table, int x, int y);

    // QAccessibleInterface
    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableCellInterface
    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_x; }
    int rowIndex() const override { return m_y; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

private:
    BoardAccessible* m_table;
    int m_x;
    int m_y;
};
