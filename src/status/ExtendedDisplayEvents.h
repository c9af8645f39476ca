#pragma once
// Which view of the extended display a device event redraws. The window is a
// receiver of the acquisition core while it is open; a running recording
// mutes it like every display receiver and also keeps the DAC offsets (which
// the recording does not mute) from drawing.

// The view to redraw (the event's own code), or 0 for none. Event 0 is never
// a refresh, so 0 also means "nothing".
int extendedDisplayRefresh(int code, int param, bool recording);
