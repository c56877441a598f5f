#include "admission.h"

bool Admission::mayConnect(const QString& address, qint64 nowNs)
{
    auto bucket = m_pace.find(address);
    if (bucket == m_pace.end()) {
        if (m_pace.size() >= RememberedAddresses)
            forgetIdle(nowNs);
        bucket = m_pace.insert(address, TokenBucket(1000000000LL / qMax(1, m_perSecond), m_burst));
    }
    return bucket->take(nowNs);
}

void Admission::setPace(int burst, int perSecond)
{
    m_burst = burst;
    m_perSecond = perSecond;
    m_pace.clear();
}

void Admission::forgetIdle(qint64 nowNs)
{
    // An address whose whole burst is due again is as good as new.
    m_pace.removeIf([this, nowNs](const auto& entry) { return entry.value().wait(nowNs, m_burst) == 0; });
    if (m_pace.size() >= RememberedAddresses)
        m_pace.clear();
}

int Admission::roomFor(const QString& address, const QList<Waiting>& waiting)
{
    QHash<QString, int> count;
    for (const Waiting& w : waiting)
        ++count[w.address];
    if (count.value(address) >= WaitingPerAddress)
        return 0;
    QString crowded;
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        if (it.value() > WaitingPerAddress && (crowded.isEmpty() || it.value() > count.value(crowded)))
            crowded = it.key();
    if (crowded.isEmpty())
        return 0;
    // The newest of them: the oldest may be about to log in.
    const Waiting* newest = nullptr;
    for (const Waiting& w : waiting)
        if (w.address == crowded && (!newest || w.serial > newest->serial))
            newest = &w;
    return newest->slot;
}
