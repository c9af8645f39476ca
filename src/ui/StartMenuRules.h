#pragma once
// What the start menu decides without a screen: the language of its captions
// and where its controls go.

#include <QRect>
#include <QSize>

#include <string_view>

// The language of the captions: `language` when one is set (0..4); with none
// set (negative), German for a German user locale, French for a French one,
// English otherwise.
int startMenuLanguage(int language, std::string_view userLocaleName);

// The controls of the right half, computed from the client size: the heading
// and the four buttons one below the other (a = height / 6, m = width / 15).
struct StartMenuLayout {
    QRect picture; // left half
    QRect heading;
    QRect teachIn;
    QRect diagnosis;
    QRect setup;
    QRect exit;
};

StartMenuLayout startMenuLayout(QSize client);
