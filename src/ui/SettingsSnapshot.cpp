#include "ui/SettingsSnapshot.h"

#include "config/Texts.h"
#include "ui/QtTranslations.h"

void SettingsSnapshot::restore(ConfigData& config) const {
    config = saved_;
    setLanguage(saved_.language);
    loadQtTranslations(saved_.language);
}
