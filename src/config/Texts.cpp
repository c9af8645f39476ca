#include "config/Texts.h"

#include "config/ConfigData.h"
#include "config/TextTableData.h"

const TextTableData* textTableData(TextTable table) {
    switch (table) {
    case TextTable::ChannelLabels:
        return &channelLabelsTexts;
    case TextTable::ManualFiles:
        return &manualFilesTexts;
    case TextTable::HelpPages:
        return &helpPagesTexts;
    case TextTable::StatusMessages:
        return &statusMessagesTexts;
    case TextTable::Menu:
        return &menuTexts;
    case TextTable::Setup:
        return &setupTexts;
    case TextTable::MainWindow:
        return &mainWindowTexts;
    case TextTable::YesNo:
        return &yesNoTexts;
    case TextTable::Recorder:
        return &recorderTexts;
    case TextTable::Evaluation:
        return &evaluationTexts;
    case TextTable::TeachIn:
        return &teachInTexts;
    case TextTable::StartMenu:
        return &startMenuTexts;
    case TextTable::TeachInSteps:
        return &teachInStepsTexts;
    case TextTable::ToolTips:
        return &toolTipsTexts;
    case TextTable::BoxSimulator:
        return &boxSimulatorTexts;
    case TextTable::SignalView:
        return &signalViewTexts;
    case TextTable::DiagnosisNotices:
        return &diagnosisNoticesTexts;
    }
    return nullptr;
}

int textRows(TextTable table) {
    const TextTableData* data = textTableData(table);
    return data ? data->rows : 0;
}

const char* textIn(TextTable table, int row, int language) {
    const TextTableData* data = textTableData(table);
    if (!data || row < 0 || row >= data->rows || language < 0 || language >= kLanguageCount) {
        return "";
    }
    const char* s = data->language[language][row];
    return s ? s : "";
}

const char* text(TextTable table, int row) {
    // No language chosen yet (or a stray value): English rather than blanks.
    const int language = configData.language;
    return textIn(table, row, language >= 0 && language < kLanguageCount ? language : 0);
}
