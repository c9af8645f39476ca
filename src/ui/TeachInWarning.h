#pragma once
// The warning before a repeated teach-in, shared by the "New Sensor"
// confirmation and the wizard's own question.

class CMessageWindow;

// Title "TEACH-IN", the warning and the question, buttons "Yes" and "No", all
// in the current language.
void setTeachInWarning(CMessageWindow& window);

// Makes "No" (the Cancel button) the default and gives it the focus, so that
// a stray Return or Space keeps the box's teach-in; "Yes" takes a click, or
// Tab to it first.
void makeNoTheDefault(CMessageWindow& window);
