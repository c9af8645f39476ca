#pragma once
// A copy of every setting, taken before the setup dialog opens after start-up
// and put back when the user leaves it with Cancel.

#include "config/ConfigData.h"

class SettingsSnapshot {
public:
    explicit SettingsSnapshot(const ConfigData& config) : saved_(config) {}

    const ConfigData& saved() const { return saved_; }

    // Puts every field of the record back but the serial port, which the
    // interface search owns. The language is switched back with
    // it (process locale and Qt's own texts), since the dialog switches both
    // at once when the language list changes.
    void restore(ConfigData& config) const;

private:
    ConfigData saved_;
};
