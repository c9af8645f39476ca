#include "ui/StartMenuRules.h"

#include "config/Texts.h"

int startMenuLanguage(int language, std::string_view userLocaleName) {
    if (language >= 0) {
        return language < kLanguageCount ? language : 0;
    }
    const int guess = languageFromLocaleName(userLocaleName);
    return guess == 1 || guess == 2 ? guess : 0;
}

StartMenuLayout startMenuLayout(QSize client) {
    const int width = client.width();
    const int height = client.height();
    const int a = height / 6;
    const int m = width / 15;
    const int x0 = width / 2;
    const int gap = height / 45;
    StartMenuLayout layout;
    layout.picture = QRect(0, 0, width / 2, height);
    layout.heading = QRect(x0, 0, width - x0, a);
    // Each button spans from (k + 1) a + gap to (k + 2) a - gap.
    const QRect first(x0 + m, a + gap, (width - m) - (x0 + m), (2 * a - gap) - (a + gap));
    layout.teachIn = first;
    layout.diagnosis = first.translated(0, a);
    layout.setup = first.translated(0, 2 * a);
    layout.exit = first.translated(0, 3 * a);
    return layout;
}
