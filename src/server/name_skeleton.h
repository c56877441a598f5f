#pragma once

#include <QString>

// What a name looks like, for telling apart names that read the same on a
// screen: compatibility forms and letter case folded, then every letter replaced by the one it is
// commonly mistaken for (a Cyrillic "а" for a Latin "a", "０" for "0", "I" for
// "l"), as the Unicode confusable tables have it. Two names with the same
// skeleton would pass for each other at the table.
namespace NameSkeleton {
QString of(const QString& text);
} // namespace NameSkeleton
