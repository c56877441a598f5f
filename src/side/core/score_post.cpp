#include "side/core/score_post.h"

#include "base/game_mode.h"

#include <QLocale>

namespace {

// Only the six seats play and score; slots above them watch.
constexpr int SeatCount = 6;

} // namespace

bool ScorePost::due(const GameEnd& end)
{
    if (!end.postOption || end.slot1Name == QLatin1String("You"))
        return false;
    if (end.myslot < 1 || end.myslot > SeatCount)
        return false;
    bool ok = false;
    const qlonglong score = end.score.trimmed().toLongLong(&ok);
    if (!ok)
        return false;
    return HighScores::qualifies(GameModes::fromCode(end.mode), score);
}

QString ScorePost::pagePath(int mode)
{
    switch (GameModes::fromCode(mode)) {
    case GameMode::Standard: return QStringLiteral("/counter/gloop.shtml");
    case GameMode::Classic: return QStringLiteral("/counter/classicgloop2.shtml");
    case GameMode::None: break;
    }
    return {};
}

QString ScorePost::scriptPath(int mode)
{
    switch (GameModes::fromCode(mode)) {
    case GameMode::Standard: return QStringLiteral("/cgi-bin/gloop.cgi?name=");
    case GameMode::Classic: return QStringLiteral("/cgi-bin/classicgloop2.cgi?name=");
    case GameMode::None: break;
    }
    return {};
}

QString ScorePost::target(int mode, const QString& name, const QString& date, const QString& score)
{
    const QString script = scriptPath(mode);
    if (script.isEmpty())
        return {};
    return script + encodeValue(name) + QLatin1String("&date=") + encodeValue(date) + QLatin1String("&score=")
        + encodeValue(score);
}

QString ScorePost::encodeValue(const QString& value)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    for (const char ch : value.toUtf8()) {
        const uchar b = uchar(ch);
        if (b <= 0x20 || b >= 0x7f || b == '#' || b == '%' || b == '&') {
            out += QLatin1Char('%');
            out += QLatin1Char(hex[b >> 4]);
            out += QLatin1Char(hex[b & 0x0f]);
        } else {
            out += QLatin1Char(ch);
        }
    }
    return out;
}

QString ScorePost::dateText(const QDate& date, QChar separator)
{
    return QString::number(date.month()) + separator + QString::number(date.day()) + separator
        + QStringLiteral("%1").arg(date.year() % 100, 2, 10, QLatin1Char('0'));
}

QChar ScorePost::systemDateSeparator()
{
    const QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    for (const QChar c : format)
        if (!c.isLetter() && !c.isSpace() && c != QLatin1Char('\''))
            return c;
    return QLatin1Char('/');
}
