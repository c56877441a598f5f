#pragma once

#include "bot/bot_level.h"
#include "side/login_state.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// The host's game options: "Classic Game" and "Start Game", which asks the
// server to start a game under this copy's login name; and the bots that fill
// empty seats: "Add Bot" at the chosen level, "Remove Bot" for the last one.
class Tgamestart : public QWidget {
    Q_OBJECT
public:
    // `login` says who starts the game and whether we are logged in; nothing
    // is sent before login. It must outlive the window.
    explicit Tgamestart(const LoginState& login, QWidget* parent = nullptr);

    void setBackgroundPicture(const QPixmap& picture);
    // The window opens centred over this one (the main window).
    void setAnchor(const QWidget* anchor) { m_anchor = anchor; }

    QCheckBox* classic() const { return m_classic; }

    // "Start Game": sends the start request and hides the window.
    void button_startClick();
    // How many bots sit now, out of at most `most`.
    void setBotCount(int count, int most);

signals:
    // A finished game-start request for the main window's connection.
    void startgame(const QByteArray& message);
    void addBot(BotLevel level);
    void removeBot();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLayout* makeBotRow();

private:
    QCheckBox* m_classic = nullptr;
    QPushButton* m_start = nullptr;
    QComboBox* m_botLevel = nullptr;
    QPushButton* m_addBot = nullptr;
    QPushButton* m_removeBot = nullptr;
    QLabel* m_bots = nullptr;
    const QWidget* m_anchor = nullptr;
    const LoginState& m_login;
};

using GameStartWindow = Tgamestart;
