#include "game_settings.h"

#include <limits>

void GameSettings::setBounds(const QRect& r)
{
    left = r.left();
    top = r.top();
    width = r.width();
    height = r.height();
}

bool GameSettings::readOnOff(const std::optional<QString>& text)
{
    return !text || *text != QLatin1String("false");
}

QString GameSettings::writeOnOff(bool on)
{
    return on ? QStringLiteral("true") : QStringLiteral("false");
}

std::optional<int> GameSettings::readInteger(const QString& text)
{
    QStringView t = QStringView(text).trimmed();
    bool negative = false;
    if (t.startsWith(u'-') || t.startsWith(u'+')) {
        negative = t.front() == u'-';
        t = t.mid(1);
    }
    int base = 10;
    if (t.startsWith(u'$')) {
        base = 16;
        t = t.mid(1);
    } else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        t = t.mid(2);
    }
    // toLongLong would accept its own prefixes and signs again; only digits may follow.
    for (QChar c : t) {
        if (!(c.isDigit() || (base == 16 && QStringLiteral("abcdefABCDEF").contains(c))))
            return std::nullopt;
    }
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    const qlonglong signedValue = negative ? -v : v;
    if (signedValue < std::numeric_limits<int>::min() || signedValue > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(signedValue);
}
