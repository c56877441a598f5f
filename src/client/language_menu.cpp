#include "language_menu.h"

#include <QActionGroup>
#include <QMenu>
#include <QMessageBox>

namespace {
const char* const NextStartNote =
    QT_TRANSLATE_NOOP("LanguageMenu", "The new language shows the next time Gloop Dash starts.");
} // namespace

LanguageMenu::LanguageMenu(SettingsFile& file, QMenu* menu, QWidget* window)
    : QObject(menu), m_choice(&file), m_window(window), m_group(new QActionGroup(this))
{
    menu->setObjectName(QStringLiteral("Language1"));
    const QString stored = m_choice.stored();
    const auto add = [&](const QString& caption, const QString& code) {
        QAction* item = menu->addAction(caption);
        item->setData(code);
        item->setCheckable(true);
        item->setChecked(code == stored);
        m_group->addAction(item);
        connect(item, &QAction::triggered, this, [this, code] { choose(code); });
    };
    add(tr("System Default"), QString());
    menu->addSeparator();
    for (const QString& code : LanguageChoice::shipped())
        add(LanguageChoice::nativeName(code), code);
}

void LanguageMenu::choose(const QString& code)
{
    if (!m_choice.store(code)) {
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Gloop Dash"),
                                    tr("The language could not be stored."), QMessageBox::Ok, m_window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return;
    }
    // Said in the language chosen, which its reader is sure to understand.
    const QString language = code.isEmpty() ? LanguageChoice::fromEnvironment() : code;
    const QString note = LanguageChoice::textIn(language, "LanguageMenu", NextStartNote);
    // Not modal: the game's messages go on being handled while it shows.
    auto* box =
        new QMessageBox(QMessageBox::Information, QStringLiteral("Gloop Dash"), note, QMessageBox::Ok, m_window);
    box->setObjectName(QStringLiteral("language_note"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
