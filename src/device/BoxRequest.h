#pragma once
// The requests that change the box, as features ask for them. They reach the
// box through BoxRequestDoor, the one place that fills the scheduler's
// one-shot slot for them.

enum class BoxRequest { Reset, Erase, Write };
