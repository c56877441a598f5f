#pragma once

#include <QString>

class SettingsFile;
class TallyBook;

// Keeps the tally's "tally everyone I play with" choice in a section of its own
// in the settings file, so the game's section keeps only what it always held.
class TallyEveryoneSetting {
public:
    static QString sectionName() { return QStringLiteral("gloopdash.tally"); }
    static QString keyName() { return QStringLiteral("TallyEveryone"); }

    // Gives `book` the stored choice (off unless stored as "true") and stores
    // every later change. `file` must outlive the book's signals.
    static void bind(TallyBook& book, SettingsFile& file);
};
