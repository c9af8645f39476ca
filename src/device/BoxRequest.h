#pragma once
// The requests for the box, as features ask for them: the three that change
// it (reset, erase, write) and the interference measurement of the older box.
// They reach the box through BoxRequests (acquisition), the one place that
// fills the scheduler's one-shot slot.

enum class BoxRequest { Reset, Erase, Write, Interference };
