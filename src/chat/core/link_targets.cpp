#include "link_targets.h"

int LinkTargets::add(const QString& target)
{
    m_targets.append(target);
    return int(m_targets.size()) - 1;
}

std::optional<QString> LinkTargets::target(int number) const
{
    if (number < 0 || number >= m_targets.size())
        return std::nullopt;
    return m_targets.at(number);
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
