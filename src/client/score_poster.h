#pragma once

#include "base/game_mode.h"

#include <QDate>
#include <QString>

// The high-score poster: a winning score sent to the score site.
class ScorePoster {
public:
    virtual ~ScorePoster() = default;

    // `sendscore`: name, date "m/d/yy", score, and the game's mode.
    virtual void sendscore(const QString& name, const QString& date, const QString& score, GameMode mode) = 0;
    // The date a score is posted under.
    virtual QDate today() const = 0;
};
