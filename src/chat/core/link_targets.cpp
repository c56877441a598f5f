#include "link_targets.h"

#include <algorithm>

int LinkTargets::add(const QString& target)
{
    m_targets.append(target);
    return count() - 1;
}

std::optional<QString> LinkTargets::target(int number) const
{
    if (number < m_first || number >= count())
        return std::nullopt;
    return m_targets.at(number - m_first);
}

void LinkTargets::forgetBefore(int number)
{
    const int gone = std::clamp(number, m_first, count()) - m_first;
    m_targets.remove(0, gone);
    m_first += gone;
}

std::optional<QUrl> LinkTargets::webAddress(const QString& target)
{
    qsizetype end = target.size();
    while (end > 0 && target.at(end - 1).unicode() <= u' ')
        --end;
    QString address = target.left(end);
    if (address.startsWith(QLatin1String("www.")))
        address.prepend(QLatin1String("http://"));
    else if (!address.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
             && !address.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return std::nullopt;
    const QUrl url(address, QUrl::TolerantMode);
    if (!url.isValid() || url.host().isEmpty())
        return std::nullopt;
    return url;
}
