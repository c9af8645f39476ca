#pragma once
// Rows of the wizard's step instructions (TextTable::TeachInSteps).

namespace teachinsteprow {
enum Row : int {
    kStep1 = 0, // "STEP 1:\n..."
    kStep2 = 1, // "STEP 2:\nSet the distance of white sensor (WH)..."
    kStep3 = 2, // "STEP 3:\nTeach-In incremental signal..."
    kStep4 = 3, // "STEP 4:\nTeach-In reference signal..."
    kStep5 = 4, // "STEP 5:\nTeach-In absolute position..."
    kDone = 5,  // "TEACH-IN DONE.\n..."
    kCount = 6,
};
} // namespace teachinsteprow
