#pragma once

#include "net/protocol_table.h"

#include <QPixmap>
#include <QWidget>
#include <functional>
#include <optional>

class GameSeats;
class QImage;
class QLabel;

// The panel right of the board: the countdown bar, the current, next and
// after-next tiles, the status line, the bonus popup, the six player rows
// (name, total, last round's result, the eyes of a watcher) and the round line.
// The rows display the seats they are given; they hold no value of their own.
class ScorePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int TimerFull = 198;

    explicit ScorePanel(QWidget* parent = nullptr);

    // Shows `seats` in the rows from now on, in their order; they must outlive the panel.
    void showSeats(const GameSeats& seats);
    // What to show before a name (a mark for a player this copy ignores or
    // mutes), and the tooltip that says what it means; empty for none.
    struct NameMark {
        QString mark;
        QString tip;
    };
    using NameMarks = std::function<NameMark(const QString& name)>;
    void setNameMarks(NameMarks marks);
    // Shows every name again, with the marks as they are now.
    void refreshNames();

    // Row controls of slot 1 to 6; nullptr for any other slot.
    QLabel* playerName(int slot) const;
    QLabel* score(int slot) const;
    QLabel* roundResult(int slot) const;
    QLabel* eyes(int slot) const;
    // Moves a row's name, total, result and eyes to a new top.
    void moveRow(int slot, int top);
    // Top of a row as the panel is first laid out.
    static int startTop(int slot);

    QLabel* status() const { return m_status; }
    QLabel* current() const { return m_current; }
    QLabel* next() const { return m_next; }
    QLabel* nntile() const { return m_nntile; }
    QLabel* timerLabel() const { return m_timerLabel; }
    QLabel* numRound() const { return m_numRound; }
    QLabel* turnArrow() const { return m_turn; }
    QLabel* bonusImage() const { return m_bonusImage; }
    QLabel* bonusLabel() const { return m_bonusLabel; }

    int timerWidth() const;
    void setTimerWidth(int width);

    // Shows a finished trail's score in the popup for about three ticks.
    void showPopup(int score);
    // One tick of the one-second clock: the popup hides once its count runs out.
    void popupTick();
    bool popupShowing() const { return m_popupTag >= 0; }

    // Shows a picture in a tile preview (empty for nullptr), scaled to the preview.
    static void showTile(QLabel* preview, const QImage* picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildTop();
    void buildRows();
    // Shows a seat's name, total, last result and eyes, coloured by who holds
    // it: a player, a watcher or nobody.
    void showRow(int slot);
    void placeRows();
    void showName(int slot, const QString& name, bool seated);
    static bool seat(int slot) { return Table::isSeat(slot); }
    QLabel* label(const QString& name, const QRect& geometry, const QString& text, int pixels, bool bold);

    QPixmap m_background;
    QLabel* m_timer = nullptr;
    QLabel* m_timerLabel = nullptr;
    QLabel* m_current = nullptr;
    QLabel* m_next = nullptr;
    QLabel* m_nntile = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_bonusImage = nullptr;
    QLabel* m_bonusLabel = nullptr;
    QLabel* m_numRound = nullptr;
    QLabel* m_turn = nullptr;
    QLabel* m_names[Table::Seats + 1] = {};
    QLabel* m_scores[Table::Seats + 1] = {};
    QLabel* m_results[Table::Seats + 1] = {};
    QLabel* m_eyes[Table::Seats + 1] = {};
    const GameSeats* m_seats = nullptr;
    NameMarks m_marks;
    // Ticks the popup has left; it hides when this drops below 0.
    int m_popupTag = 0;
};
