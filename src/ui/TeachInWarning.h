#pragma once
// The warning before a repeated teach-in, shared by the "New Sensor"
// confirmation and the wizard's own question.

class CMessageWindow;

// Title "TEACH-IN", the warning and the question, buttons "Yes" and "No", all
// in the current language.
void setTeachInWarning(CMessageWindow& window);
