#pragma once

#include <QString>

// The game's own sounds; each plays the recording of its name.
enum class GameSound { Remove, Chain, Bomb, GameStart, Turn, NoMove, Cleared, OutOfTime, GameOver };

// The recording a game sound plays: "remove", "outtime", ...
inline QString soundName(GameSound sound)
{
    switch (sound) {
    case GameSound::Remove: return QStringLiteral("remove");
    case GameSound::Chain: return QStringLiteral("chain");
    case GameSound::Bomb: return QStringLiteral("bomb");
    case GameSound::GameStart: return QStringLiteral("gamestart");
    case GameSound::Turn: return QStringLiteral("turn");
    case GameSound::NoMove: return QStringLiteral("nomove");
    case GameSound::Cleared: return QStringLiteral("cleared");
    case GameSound::OutOfTime: return QStringLiteral("outtime");
    case GameSound::GameOver: return QStringLiteral("gameover");
    }
    return {};
}

// Where the game's sounds are played ("Play Sounds" decides whether they are heard).
class GameSounds {
public:
    virtual ~GameSounds() = default;
    // `playsounds`
    virtual void playsounds(GameSound sound) = 0;
};
