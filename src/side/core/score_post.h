#pragma once

#include <QChar>
#include <QDate>
#include <QString>

// What the game sends to the maker's score scripts and which page it shows for
// each game mode. Modes are the score site's numbers (GameModes::code).
class ScorePost {
public:
    // What the end of a game knows about the local player.
    struct GameEnd {
        bool postOption = true; // "Post High Score"
        QString slot1Name; // caption of slot 1's name label
        int myslot = 0;
        int mode = 0;
        QString score; // caption of the local player's score label
    };
    // A score is posted only with the option on, in a game started by the lobby
    // (slot 1 is not the solo "You"), by a seated player, and when it reaches the
    // mode's limit (HighScores: above 49999 for the normal game, above 19999 for
    // the classic).
    static bool due(const GameEnd& end);

    // "/counter/gloop.shtml" or "/counter/classicgloop2.shtml"; empty for another mode.
    static QString pagePath(int mode);
    // "/cgi-bin/gloop.cgi?name=" or "/cgi-bin/classicgloop2.cgi?name="; empty for another mode.
    static QString scriptPath(int mode);
    // The score script's request target: script path, name, "&date=", date,
    // "&score=", score. Empty for an unknown mode.
    static QString target(int mode, const QString& name, const QString& date, const QString& score);
    // Percent-encodes only what cannot stand in a query value: blanks and other
    // control bytes, "#", "%", "&" and every byte of a non-ASCII character.
    static QString encodeValue(const QString& value);

    // Month, day, two-digit year without leading zeros on month and day ("3/7/05").
    static QString dateText(const QDate& date, QChar separator);
    // The separator of the system's short date format, "/" when it has none.
    static QChar systemDateSeparator();
};
