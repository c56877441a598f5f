#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QTranslator;
class SettingsFile;

// Which language the client speaks: the player's choice from the Options
// menu, kept in a section of its own in the settings file, or else the
// system's (LANGUAGE, LC_ALL, LC_MESSAGES, LANG, in that order). English is
// the language the texts are written in and needs no translation.
class LanguageChoice {
    Q_DECLARE_TR_FUNCTIONS(LanguageChoice)
public:
    static QString sectionName() { return QStringLiteral("gloopdash.language"); }
    // The languages shipped, by their two-letter code; English first.
    static QStringList shipped() { return {QStringLiteral("en"), QStringLiteral("de"), QStringLiteral("es")}; }
    // A language's own name for itself, for the menu.
    static QString nativeName(const QString& code);

    // The shipped language the environment asks for, English when none.
    static QString fromEnvironment();
    // The language a locale name such as "de_DE.UTF-8" or "es" gives, if shipped.
    static QString fromLocaleName(const QString& locale);

    // `file` must outlive the choice; nothing is stored without one.
    explicit LanguageChoice(SettingsFile* file = nullptr);

    // The stored choice, empty to follow the system.
    QString stored() const;
    bool store(const QString& code);
    // The language to speak now: the stored one if shipped, else the system's.
    QString effective() const;

    // `source` of `context` in the language `code` whatever language is
    // installed: the word about a new language is said in that language.
    // The English source when `code` has no translation for it.
    static QString textIn(const QString& code, const char* context, const char* source);

    // Loads the game's and Qt's own texts for `code` into `app` (nothing for
    // English); false when the game's texts could not be loaded.
    static bool install(QCoreApplication& app, const QString& code);

private:
    SettingsFile* m_file;
};
