#pragma once
// The tool tips of the diagnosis window's controls in the current language:
// what each button, lamp and field does.

struct MainWindowControls;

// Sets every tool tip; the serial-number line keeps its own while it shows a
// port problem (then its tool tip holds the whole advice).
void setMainWindowToolTips(const MainWindowControls& controls, bool keepSerialLineTip);

// The serial-number line's own tool tip, for when a port problem is over.
void setSerialLineToolTip(const MainWindowControls& controls);
