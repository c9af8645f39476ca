#pragma once
// Support for the widget tests of the indicators and the status windows: one
// QApplication for the whole test program (WidgetTestSupport.cpp), and a wait
// for a condition that lets queued events run until it holds or a generous
// deadline passes.

#include <functional>

bool waitUntil(const std::function<bool()>& condition, int deadlineMs = 20000);
