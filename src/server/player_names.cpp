#include "player_names.h"

#include "table_text.h"

#include "net/text_limits.h"

#include <QString>

#include <string>

const QByteArray PlayerNames::Unnamed = "Player";

namespace {
bool invisible(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control: // C0, DEL, C1
    case QChar::Other_Format: // bidi marks, overrides, isolates, zero-width
    case QChar::Separator_Line: // breaks a chat line in two
    case QChar::Separator_Paragraph:
    case QChar::Other_Surrogate:
    case QChar::Other_NotAssigned: return true;
    default: return false;
    }
}

bool placeholder(const QString& name)
{
    return name.isEmpty() || (name.startsWith(u'<') && name.endsWith(u'>'));
}
} // namespace

QByteArray PlayerNames::clean(const QByteArray& typed)
{
    // Gathered as code points and made a string once: a string for each
    // character was most of a login's allocations.
    std::u32string visible;
    for (char32_t c : QString::fromUtf8(typed).toUcs4()) {
        if (!invisible(c))
            visible += c == U'|' ? U'\u00A6' : c;
    }
    const QString kept = QString::fromUcs4(visible.data(), qsizetype(visible.size()));
    // Cut after the invisible characters are gone, so they cannot push the
    // visible ones out; trim again, since the cut may end on a blank.
    const QByteArray cut = TableText::cut(kept.simplified().toUtf8(), TextLimits::Name);
    const QString name = QString::fromUtf8(cut).trimmed();
    return placeholder(name) ? Unnamed : name.toUtf8();
}

QByteArray PlayerNames::distinct(const QByteArray& name, const QList<QByteArray>& taken)
{
    const auto isTaken = [&taken](const QByteArray& candidate) {
        for (const QByteArray& other : taken)
            if (same(candidate, other))
                return true;
        return false;
    };
    if (!isTaken(name))
        return name;
    for (int n = 2;; ++n) {
        const QByteArray suffix = ' ' + QByteArray::number(n);
        const QByteArray base = TableText::cut(name, TextLimits::Name - int(suffix.size())).trimmed();
        QByteArray candidate = base + suffix;
        if (!isTaken(candidate))
            return candidate;
    }
}

bool PlayerNames::same(const QByteArray& a, const QByteArray& b)
{
    return QString::fromUtf8(a).compare(QString::fromUtf8(b), Qt::CaseInsensitive) == 0;
}
