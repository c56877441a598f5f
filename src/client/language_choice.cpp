#include "language_choice.h"

#include "chat/core/settings_file.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

const QString LanguageKey = QStringLiteral("Language");

// Translators live as long as the program: the windows ask them for every text.
QTranslator& gameTexts()
{
    static QTranslator translator;
    return translator;
}

QTranslator& qtTexts()
{
    static QTranslator translator;
    return translator;
}

} // namespace

QString LanguageChoice::nativeName(const QString& code)
{
    if (code == QLatin1String("de"))
        return QStringLiteral("Deutsch");
    if (code == QLatin1String("es"))
        return QStringLiteral("Español");
    return QStringLiteral("English");
}

QString LanguageChoice::fromLocaleName(const QString& locale)
{
    // "C" and "POSIX" name no language; the first two letters of any other
    // name do ("de_AT.UTF-8@euro" is German).
    QString code = locale.left(2).toLower();
    if (locale == QLatin1String("C") || locale == QLatin1String("POSIX") || !shipped().contains(code))
        return {};
    return code;
}

QString LanguageChoice::fromEnvironment()
{
    // LANGUAGE lists languages in the order wanted; the first shipped one wins.
    const QStringList wanted = qEnvironmentVariable("LANGUAGE").split(u':', Qt::SkipEmptyParts);
    for (const QString& entry : wanted) {
        if (QString code = fromLocaleName(entry); !code.isEmpty())
            return code;
    }
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        // The first one set decides, as the C library reads them.
        if (!value.isEmpty()) {
            const QString code = fromLocaleName(value);
            return code.isEmpty() ? QStringLiteral("en") : code;
        }
    }
    return QStringLiteral("en");
}

LanguageChoice::LanguageChoice(SettingsFile* file) : m_file(file)
{
}

QString LanguageChoice::stored() const
{
    const QString value = m_file ? m_file->otherValue(sectionName(), LanguageKey).value_or(QString()) : QString();
    return shipped().contains(value) ? value : QString();
}

bool LanguageChoice::store(const QString& code)
{
    if (!m_file || !(code.isEmpty() || shipped().contains(code)))
        return false;
    return m_file->setOtherValues(sectionName(), {{LanguageKey, code}});
}

QString LanguageChoice::effective() const
{
    const QString chosen = stored();
    return chosen.isEmpty() ? fromEnvironment() : chosen;
}

QString LanguageChoice::textIn(const QString& code, const char* context, const char* source)
{
    QTranslator texts;
    if (code != QLatin1String("en") && shipped().contains(code)
        && texts.load(QStringLiteral(":/i18n/gloopdash_") + code)) {
        if (QString text = texts.translate(context, source); !text.isEmpty())
            return text;
    }
    return QString::fromUtf8(source);
}

bool LanguageChoice::install(QCoreApplication& app, const QString& code)
{
    app.removeTranslator(&gameTexts());
    app.removeTranslator(&qtTexts());
    // English texts leave dates and numbers as the system writes them, also
    // after another language was installed.
    QLocale::setDefault(QLocale::system());
    if (code == QLatin1String("en") || !shipped().contains(code))
        return code == QLatin1String("en");
    QLocale::setDefault(QLocale(code));
    // Qt's own dialogs (buttons, file and colour pickers) speak the language too
    // when the system has Qt's translations; the game plays on without them.
    if (qtTexts().load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts());
    if (!gameTexts().load(QStringLiteral(":/i18n/gloopdash_") + code))
        return false;
    app.installTranslator(&gameTexts());
    return true;
}
