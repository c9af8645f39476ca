#pragma once
// Every visible text of the program, in five languages. A table has R rows per
// language, stored language by language; text(table, row) returns row `row` of
// the current language (configData.language). Texts are UTF-8. The rows of
// each table are named in config/<Table>Rows.h (ToolTipRows.h for the tool
// tips), one enumerator per row and kCount.

#include <string>
#include <string_view>

enum class TextTable {
    ChannelLabels,    // ChannelLabelRows.h, one list for all languages
    ManualFiles,      // ManualFileRows.h
    HelpPages,        // HelpPageRows.h
    StatusMessages,   // StatusMessageRows.h
    Menu,             // MenuRows.h
    Setup,            // SetupRows.h
    MainWindow,       // MainWindowRows.h
    YesNo,            // YesNoRows.h
    Recorder,         // RecorderRows.h
    Evaluation,       // EvaluationRows.h
    TeachIn,          // TeachInRows.h
    StartMenu,        // StartMenuRows.h
    TeachInSteps,     // TeachInStepRows.h
    ToolTips,         // ToolTipRows.h
    BoxSimulator,     // BoxSimulatorRows.h, the demo's box simulator panel
    SignalView,       // SignalViewRows.h
    DiagnosisNotices, // DiagnosisNoticeRows.h, the status list window and the noise measurement
};

constexpr int kLanguageCount = 5;

// Rows per language of a table.
int textRows(TextTable table);

// Row `row` of `table` in the current language (English while the language
// is outside 0..4); "" for a row out of range.
const char* text(TextTable table, int row);

// Row `row` of `table` in language `language` (0..4).
const char* textIn(TextTable table, int row, int language);

// Sets configData.language and the process locale, keeping the decimal point
// for numbers (LC_NUMERIC stays "C").
void setLanguage(int language);

// The language of the user's default locale: German 1, French 2, Italian 3,
// Spanish 4, any other 0.
int defaultLanguage();

// The language's own name as the setup dialog lists it ("English", "Deutsch",
// "Français", "Italiano", "Espanol"); "" outside 0..4.
const char* languageName(int language);

// The language of a locale name such as "de_DE.UTF-8", "fr" or "German_Germany.1252":
// German 1, French 2, Italian 3, Spanish 4, any other 0.
int languageFromLocaleName(std::string_view localeName);
