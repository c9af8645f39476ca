// Switching the user-interface language and the process locale with it.

#include "config/ConfigData.h"
#include "config/Texts.h"

#include <QLocale>

#include <cctype>
#include <clocale>
#include <cstdlib>
#include <string>

namespace {

// Locale names to try per language, best first. Linux installs only some
// locales; the first one that setlocale accepts wins.
const char* const kLocaleCandidates[kLanguageCount][5] = {
#ifdef _WIN32
    {"English", nullptr}, {"German", nullptr},  {"French", nullptr},
    {"Italian", nullptr}, {"Spanish", nullptr},
#else
    {"en_US.UTF-8", "en_GB.UTF-8", "en_US.utf8", "en_GB.utf8", nullptr},
    {"de_DE.UTF-8", "de_DE.utf8", "de_AT.UTF-8", "de_CH.UTF-8", nullptr},
    {"fr_FR.UTF-8", "fr_FR.utf8", "fr_BE.UTF-8", "fr_CH.UTF-8", nullptr},
    {"it_IT.UTF-8", "it_IT.utf8", "it_CH.UTF-8", nullptr, nullptr},
    {"es_ES.UTF-8", "es_ES.utf8", "es_MX.UTF-8", nullptr, nullptr},
#endif
};

const char* const kLanguageNames[kLanguageCount] = {"English", "Deutsch", "Français", "Italiano",
                                                    "Espanol"};

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

} // namespace

const char* languageName(int language) {
    if (language < 0 || language >= kLanguageCount) {
        return "";
    }
    return kLanguageNames[language];
}

int languageFromLocaleName(std::string_view localeName) {
    const std::string name = lowerAscii(localeName);
    auto startsWith = [&name](std::string_view prefix) { return name.rfind(prefix, 0) == 0; };
    auto contains = [&name](std::string_view word) { return name.find(word) != std::string::npos; };
    // Two-letter language codes ("de_DE.UTF-8", "fr") and the long names of
    // the Windows runtime ("German_Germany.1252").
    if (startsWith("de") || contains("german")) {
        return 1;
    }
    if (startsWith("fr") || contains("french")) {
        return 2;
    }
    if (startsWith("it") || contains("italian")) {
        return 3;
    }
    if (startsWith("es") || contains("spanish")) {
        return 4;
    }
    return 0;
}

int defaultLanguage() {
    // The same precedence the C library uses for messages.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            return languageFromLocaleName(value);
        }
    }
    return languageFromLocaleName(QLocale::system().name().toStdString());
}

void setLanguage(int language) {
    if (language < 0 || language >= kLanguageCount) {
        language = 0;
    }
    configData.language = language;
    bool switched = false;
    for (const char* name : kLocaleCandidates[language]) {
        if (name && std::setlocale(LC_ALL, name)) {
            switched = true;
            break;
        }
    }
    if (!switched) {
        // The language's locale is not installed: texts still change, the
        // process keeps a neutral locale that handles UTF-8.
        if (!std::setlocale(LC_ALL, "C.UTF-8")) {
            std::setlocale(LC_ALL, "C");
        }
    }
    // Numbers keep the decimal point in every window and every file.
    std::setlocale(LC_NUMERIC, "C");
}
