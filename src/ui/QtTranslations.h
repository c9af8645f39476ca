#pragma once
// Qt's own texts (the standard buttons of message boxes, the file and print
// dialogs) in the user-interface language.

#include <QString>

// Qt's language code of a user-interface language: "en", "de", "fr", "it", "es".
QString qtLanguageCode(int language);

// Replaces Qt's translation by the one of `language` (0..4), taken from Qt's
// translation folder. English needs none. Returns true when the language's
// texts are in place (always for English).
bool loadQtTranslations(int language);
