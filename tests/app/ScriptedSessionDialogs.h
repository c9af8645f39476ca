#pragma once
// The setup dialog and the start menu answered from a script, and counted.

#include "app/SessionDialogs.h"

#include <deque>

class ScriptedSessionDialogs : public SessionDialogs {
public:
    std::deque<bool> setupAnswers;
    // The setup's answer once the script has none left.
    bool setupUnscripted = true;
    // The start menu's answers; kExit once there are none left.
    std::deque<int> menuAnswers;
    int setupRuns = 0;
    int menuRuns = 0;

    bool runSetup(QWidget*) override {
        ++setupRuns;
        if (setupAnswers.empty())
            return setupUnscripted;
        const bool answer = setupAnswers.front();
        setupAnswers.pop_front();
        return answer;
    }
    int runStartMenu(QWidget*) override {
        ++menuRuns;
        if (menuAnswers.empty())
            return kExit;
        const int answer = menuAnswers.front();
        menuAnswers.pop_front();
        return answer;
    }
};
