#pragma once

#include <QCoreApplication>

#include <QList>
#include <QPointer>
#include <QWidget>

class FramedPanel;
class GameModel;
class QLabel;
class QListWidget;
class QPushButton;

// The game's controls that lie on the main window's back panel itself: the
// title line over the board, the mascot with its speech bubble and phrase
// queue, the start button, and the two banners over the board (end of round,
// winner). The back panel owns them all.
class GameOverlays {
    Q_DECLARE_TR_FUNCTIONS(GameOverlays)
public:
    explicit GameOverlays(QWidget* back);
    // Takes its controls off the back panel (unless the panel went first).
    ~GameOverlays();
    GameOverlays(const GameOverlays&) = delete;
    GameOverlays& operator=(const GameOverlays&) = delete;

    QLabel* roundnum() const { return m_roundnum; }
    QLabel* pibbie() const { return m_pibbie; }
    QLabel* bubble() const { return m_bubble; }
    QLabel* bubbleText() const { return m_bubbleText; }
    QPushButton* startButton() const { return m_start; }
    QListWidget* phrases() const { return m_phrases; }
    FramedPanel* over() const { return m_over; }
    QLabel* overText() const { return m_overText; }
    FramedPanel* winnerPanel() const { return m_winner; }
    // `label_winner1` to `label_winner4`; index 1 to 4.
    QLabel* winnerLabel(int n) const { return m_winnerLabels[n - 1]; }
    // Shown over the board while the local seat just watches.
    QLabel* watching() const { return m_watching; }

    // Banners and bubble stay above the board and the mascot.
    void raise();
    // Follows `model` from now on: the start button for whoever holds the
    // host's powers between games, the phrase queue, and the watching banner.
    void observe(const GameModel& model);

private:
    void buildLeftColumn(QWidget* back);
    void buildBanners(QWidget* back);

    QList<QPointer<QWidget>> m_owned;
    QLabel* m_roundnum = nullptr;
    QLabel* m_pibbie = nullptr;
    QLabel* m_bubble = nullptr;
    QLabel* m_bubbleText = nullptr;
    QPushButton* m_start = nullptr;
    QListWidget* m_phrases = nullptr;
    FramedPanel* m_over = nullptr;
    QLabel* m_overText = nullptr;
    FramedPanel* m_winner = nullptr;
    QLabel* m_winnerLabels[4] = {};
    QLabel* m_watching = nullptr;
};
