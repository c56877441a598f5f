#pragma once

#include <QObject>
#include <array>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

// The chat's menu items. The main window adds the Options items to its menu
// bar; the chat view's context menu holds Copy, Clear Main Chat, Select All and
// Scroll Chat Off. Scroll Chat Off and Clear Main Chat are one item each, shown
// in both menus, so both places always carry the same tick.
class ChatMenu : public QObject {
    Q_OBJECT
public:
    static constexpr std::array<int, 4> Sizes{8, 10, 12, 14};

    // Actions and menus are owned by owner and take their shortcuts from its window.
    explicit ChatMenu(QWidget* owner);

    QAction* textColor() const { return m_textColor; }
    QMenu* textSizeMenu() const { return m_textSize; }
    QAction* scrollOff() const { return m_scrollOff; }
    QAction* clear() const { return m_clear; }
    QAction* copy() const { return m_copy; }
    QAction* selectAll() const { return m_selectAll; }

    // The Text Size item of that number, or nullptr.
    QAction* sizeItem(int size) const;
    // Ticks the item of that number (unticking the others); with no such item
    // the ticks stay as they are.
    void tickSize(int size);

    // "Text Color", "Text Size", "Scroll Chat Off", "Clear Main Chat".
    void addOptionsItems(QMenu* options) const;
    // "Copy", "Clear Main Chat", "Select All", a separator, "Scroll Chat Off".
    void addContextItems(QWidget* view) const;

signals:
    void textSizeChosen(int size);

private:
    QAction* m_textColor;
    QMenu* m_textSize;
    QActionGroup* m_sizes;
    QAction* m_scrollOff;
    QAction* m_clear;
    QAction* m_copy;
    QAction* m_selectAll;
};
