#pragma once
// How the text tables are stored: one array of rows per language, all of the
// same length. Each table lives in its own source file; Texts.cpp only looks
// rows up. A row that a language leaves out is a null pointer and reads as "".

#include "config/Texts.h"

struct TextTableData {
    int rows;                                    // rows per language
    const char* const* language[kLanguageCount]; // language -> its rows
};

extern const TextTableData channelLabelsTexts;
extern const TextTableData manualFilesTexts;
extern const TextTableData helpPagesTexts;
extern const TextTableData statusMessagesTexts;
extern const TextTableData menuTexts;
extern const TextTableData setupTexts;
extern const TextTableData mainWindowTexts;
extern const TextTableData yesNoTexts;
extern const TextTableData recorderTexts;
extern const TextTableData evaluationTexts;
extern const TextTableData teachInTexts;
extern const TextTableData startMenuTexts;
extern const TextTableData teachInStepsTexts;
extern const TextTableData toolTipsTexts;
extern const TextTableData boxSimulatorTexts;
extern const TextTableData signalViewTexts;
extern const TextTableData diagnosisNoticesTexts;

// The table behind an enum value; nullptr for a value outside the enum.
const TextTableData* textTableData(TextTable table);
