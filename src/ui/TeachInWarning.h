#pragma once
// The warning before a repeated teach-in, shared by the "New Sensor"
// confirmation and the wizard's own question.

class CMessageWindow;

// Row of "TEACH-IN" in the teach-in text table.
constexpr int kTeachInTitleRow = 46;

// Title "TEACH-IN", the warning and the question, buttons "Yes" and "No", all
// in the current language.
void setTeachInWarning(CMessageWindow& window);
