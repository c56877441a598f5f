#include "player_names.h"

#include "name_skeleton.h"
#include "table_text.h"

#include "net/text_limits.h"

#include <QString>

#include <array>
#include <string>

const QByteArray PlayerNames::Unnamed = "Player";

namespace {
// Marks one letter may carry: enough for any language, too few to stack into
// a tower over the names above and below.
constexpr int MarksPerLetter = 2;

bool isMark(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining
        || category == QChar::Mark_Enclosing;
}

// A colon in a name would let "Ann chats: hi" sit as a name, and a seat's
// line read as somebody else's speech; its look-alikes likewise.
bool looksLikeColon(char32_t c)
{
    return c == U':' || NameSkeleton::of(QString::fromUcs4(&c, 1)) == QLatin1String(":");
}

bool colonLike(char32_t c)
{
    // Most names are plain ASCII: which of those characters pass for a colon
    // is worked out once, instead of a skeleton for every character of every
    // login.
    static const std::array<bool, 128> ascii = [] {
        std::array<bool, 128> table{};
        for (char32_t a = 0; a < table.size(); ++a)
            table[a] = looksLikeColon(a);
        return table;
    }();
    return c < ascii.size() ? ascii[c] : looksLikeColon(c);
}

// An empty name, or one that reads like the "<Waiting>" of an empty seat in
// any of the angle brackets' look-alikes (a fullwidth "＜" among them).
bool placeholder(const QString& name)
{
    const QString looks = NameSkeleton::of(name);
    return looks.isEmpty() || looks.startsWith(u'<') || looks.endsWith(u'>');
}

// Drops the invisible characters, the marks past a letter's share and, as
// "|" splits a relayed line, turns a bar into a broken bar.
QString visibleName(const QByteArray& typed)
{
    // Gathered as code points and made a string once: a string for each
    // character was most of a login's allocations.
    std::u32string kept;
    int marks = 0;
    for (char32_t c : QString::fromUtf8(typed).toUcs4()) {
        if (TableText::invisible(c))
            continue;
        marks = isMark(c) ? marks + 1 : 0;
        if (marks <= MarksPerLetter)
            kept += c == U'|' ? U'\u00A6' : c;
    }
    return QString::fromUcs4(kept.data(), qsizetype(kept.size()));
}

// Without a colon between them, the marks on either side of it sit on one
// letter: they are counted together against its share.
QString withoutColons(const QString& name)
{
    std::u32string kept;
    int marks = 0;
    for (char32_t c : name.toUcs4()) {
        if (colonLike(c))
            continue;
        marks = isMark(c) ? marks + 1 : 0;
        if (marks <= MarksPerLetter)
            kept += c;
    }
    return QString::fromUcs4(kept.data(), qsizetype(kept.size()));
}
} // namespace

QByteArray PlayerNames::clean(const QByteArray& typed)
{
    // Cut after the invisible characters are gone, so they cannot push the
    // visible ones out; the colons go after the cut, as finding their
    // look-alikes costs more than a character of a long paste is worth.
    const QByteArray cut = TableText::cut(visibleName(typed).simplified().toUtf8(), TextLimits::Name);
    const QString name = withoutColons(QString::fromUtf8(cut)).simplified();
    return placeholder(name) ? Unnamed : name.toUtf8();
}

QByteArray PlayerNames::distinct(const QByteArray& name, const QList<QString>& taken)
{
    const auto isTaken = [&taken](const QByteArray& candidate) { return taken.contains(looks(candidate)); };
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

QString PlayerNames::looks(const QByteArray& name)
{
    return NameSkeleton::of(QString::fromUtf8(name));
}
