#pragma once

#include "language_choice.h"

#include <QObject>

class QActionGroup;
class QMenu;
class QWidget;

// The Options menu's "Language" menu: follow the system, or one of the shipped
// languages by its own name. The choice is written at once; the windows,
// built in the language of the start, speak the new one from the next start,
// which a note in the chosen language says.
class LanguageMenu : public QObject {
    Q_OBJECT
public:
    // `menu` is filled here; the note about the restart shows over `window`.
    LanguageMenu(SettingsFile& file, QMenu* menu, QWidget* window);

    QActionGroup* items() const { return m_group; }

private:
    void choose(const QString& code);

    LanguageChoice m_choice;
    QWidget* m_window;
    QActionGroup* m_group;
};
