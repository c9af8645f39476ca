// Language selection: the locale switch keeps the decimal point, and the
// default language follows the user's locale.

#include "config/ConfigData.h"
#include "config/Texts.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

TEST(Language, NumbersKeepTheDecimalPointInEveryLanguage) {
    for (int lang = 0; lang < kLanguageCount; ++lang) {
        setLanguage(lang);
        EXPECT_EQ(configData.language, lang);
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
        EXPECT_STREQ(buffer, "1.5") << "language " << lang;
        EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
        EXPECT_EQ(std::strtod("2.25", nullptr), 2.25);
    }
    setLanguage(0);
}

TEST(Language, OutOfRangeMeansEnglish) {
    setLanguage(7);
    EXPECT_EQ(configData.language, 0);
    setLanguage(-1);
    EXPECT_EQ(configData.language, 0);
}

TEST(Language, FromLocaleName) {
    struct Case {
        const char* name;
        int language;
    };
    const Case cases[] = {
        {"de_DE.UTF-8", 1},
        {"de_CH", 1},
        {"German_Germany.1252", 1},
        {"fr_FR.UTF-8", 2},
        {"fr_CA", 2},
        {"French_France.1252", 2},
        {"it_IT@euro", 3},
        {"Italian_Italy", 3},
        {"es_ES.UTF-8", 4},
        {"Spanish_Spain", 4},
        {"en_US.UTF-8", 0},
        {"C", 0},
        {"POSIX", 0},
        {"", 0},
        {"nl_NL", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(languageFromLocaleName(c.name), c.language) << c.name;
    }
}

TEST(Language, DefaultFollowsTheEnvironment) {
    const char* saved = std::getenv("LC_ALL");
    const std::string keep = saved ? saved : "";
    setenv("LC_ALL", "it_IT.UTF-8", 1);
    EXPECT_EQ(defaultLanguage(), 3);
    setenv("LC_ALL", "C.UTF-8", 1);
    EXPECT_EQ(defaultLanguage(), 0);
    if (saved) {
        setenv("LC_ALL", keep.c_str(), 1);
    } else {
        unsetenv("LC_ALL");
    }
}
