#pragma once
// Support for the widget tests: one QApplication for the whole test program
// (QtTestApp.cpp, made before the first test and destroyed after the last, on
// the offscreen platform unless one is chosen), and a wait for a condition
// that lets queued events run until it holds or a generous deadline passes.

#include <functional>

bool waitUntil(const std::function<bool()>& condition, int deadlineMs = 20000);
