#include "side/tally_everyone_setting.h"

#include "chat/core/game_settings.h"
#include "chat/core/settings_file.h"
#include "side/core/tally_book.h"

void TallyEveryoneSetting::bind(TallyBook& book, SettingsFile& file)
{
    book.setTallyEveryone(file.otherValue(sectionName(), keyName()) == QLatin1String("true"));
    QObject::connect(&book, &TallyBook::tallyEveryoneChanged, &book, [&file](bool on) {
        file.setOtherValues(sectionName(), {{keyName(), GameSettings::writeOnOff(on)}});
    });
}
