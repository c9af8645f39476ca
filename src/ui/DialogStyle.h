#pragma once
// The look the dialog templates are drawn for, for the whole program.
//
// The templates place a group box's caption in the top line of its frame, with
// the line at half the caption's height: the controls inside a group sit close
// under that line. Qt's Fusion style puts the caption above a frame of its own,
// so captions float above their groups and reach into what lies above them.

#include <QString>

class QApplication;

// The style sheet that draws every group box as the templates intend: a thin
// frame whose top line runs through the middle of the caption, the caption a
// little in from the left edge.
QString dialogStyleSheet();

// Gives the whole program that look. Called once, right after the
// QApplication is made and before any window is.
void applyDialogStyle(QApplication& app);
