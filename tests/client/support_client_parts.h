#pragma once

#include "chat/core/colour_text.h"
#include "client/client_parts.h"

#include <QColor>
#include <QDate>
#include <QStringList>

// The parts a main window or a game view talks to, recording what they are
// told: chat lines as "style+text" with their colours, game sounds by name,
// and the tally's and the poster's calls as text. `log` keeps the chat lines
// and the chatter sounds ("sound:slot+text") in the order they came.
struct RecordedParts : ClientChat, GameSounds, GameOptions, TallyFeed, ScorePoster {
    QStringList lines;
    QList<QColor> colours;
    QStringList log;
    QStringList sounds;
    QStringList tally; // "addword 60 4", "addgame Bob", "addwongame", "sendscore ...", "loadchecklist"
    bool highScore = false; // "Post High Score"
    bool winnersPath = true; // "Show Winner's Path"
    int settingsLoads = 0;
    QString tallyScore; // beside "High Score:"
    QString tallyTrail; // beside "Highest Trail:"
    QDate date{2024, 3, 7};

    ClientParts parts() { return {*this, *this, *this, *this, *this}; }

    void addlinetochat(const StyledLine& line, quint32 colour) override
    {
        lines << QString::number(line.style) + u'+' + line.text;
        colours << ColourText::toColor(colour);
        log << lines.last();
    }
    void playasound(const ToClient::PlayASound& m) override
    {
        log << QStringLiteral("sound:") + QString::number(m.slot) + u'+' + QString::fromUtf8(m.text);
    }
    void playsounds(GameSound sound) override { sounds << soundName(sound); }
    bool postHighScore() const override { return highScore; }
    bool showWinnersPath() const override { return winnersPath; }
    void loadinifile() override { ++settingsLoads; }
    QString tallyHighScore() const override { return tallyScore; }
    QString tallyHighestTrail() const override { return tallyTrail; }
    void addword(const QString& text, TallyTable::OwnColumn column) override
    {
        tally << QStringLiteral("addword %1 %2").arg(text).arg(column);
    }
    void addgame(const QString& winner) override { tally << QStringLiteral("addgame ") + winner; }
    void addwongame() override { tally << QStringLiteral("addwongame"); }
    void loadchecklist() override { tally << QStringLiteral("loadchecklist"); }
    void sendscore(const QString& name, const QString& when, const QString& score, GameMode mode) override
    {
        tally << QStringLiteral("sendscore %1 %2 %3 %4").arg(name, when, score).arg(GameModes::code(mode));
    }
    QDate today() const override { return date; }
};
