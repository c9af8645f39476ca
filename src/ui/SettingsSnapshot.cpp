#include "ui/SettingsSnapshot.h"

#include "config/Texts.h"
#include "ui/QtTranslations.h"

void SettingsSnapshot::restore(ConfigData& config) const {
    // Every field but the port: the port is not a setting of the dialog, the
    // interface search may have handed a new one to the reader thread while
    // the dialog was open, and the reader thread reads it.
    config.bearingType = saved_.bearingType;
    config.pulseRate = saved_.pulseRate.load();
    config.displayFormat = saved_.displayFormat;
    config.directionReversed = saved_.directionReversed.load();
    config.language = saved_.language;
    config.extDisplayMode = saved_.extDisplayMode;
    config.lastFile = saved_.lastFile;
    config.refFilePath = saved_.refFilePath;
    config.ampFilePath = saved_.ampFilePath;
    config.userLevel = saved_.userLevel;
    setLanguage(saved_.language);
    loadQtTranslations(saved_.language);
}
