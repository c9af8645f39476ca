// The text tables: every table is complete in five languages, and a
// translation keeps what the program fills in or lays out (printf
// conversions, line breaks, the blanks that join status texts).

#include "config/BoxSimulatorRows.h"
#include "config/ChannelLabelRows.h"
#include "config/ConfigData.h"
#include "config/DiagnosisNoticeRows.h"
#include "config/EvaluationRows.h"
#include "config/HelpPageRows.h"
#include "config/MainWindowRows.h"
#include "config/ManualFileRows.h"
#include "config/MenuRows.h"
#include "config/RecorderRows.h"
#include "config/SetupRows.h"
#include "config/SignalViewRows.h"
#include "config/StartMenuRows.h"
#include "config/StatusMessageRows.h"
#include "config/TeachInRows.h"
#include "config/TeachInStepRows.h"
#include "config/Texts.h"
#include "config/ToolTipRows.h"
#include "config/YesNoRows.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace {

struct TableInfo {
    TextTable table;
    const char* name;
    int rows;
};

const TableInfo kTables[] = {
    {TextTable::ChannelLabels, "ChannelLabels", 8},
    {TextTable::ManualFiles, "ManualFiles", 2},
    {TextTable::HelpPages, "HelpPages", 6},
    {TextTable::StatusMessages, "StatusMessages", 49},
    {TextTable::Menu, "Menu", 5},
    {TextTable::Setup, "Setup", 14},
    {TextTable::MainWindow, "MainWindow", 38},
    {TextTable::YesNo, "YesNo", 3},
    {TextTable::Recorder, "Recorder", 10},
    {TextTable::Evaluation, "Evaluation", 36},
    {TextTable::TeachIn, "TeachIn", 59},
    {TextTable::StartMenu, "StartMenu", 8},
    {TextTable::TeachInSteps, "TeachInSteps", 6},
    {TextTable::ToolTips, "ToolTips", 25},
    {TextTable::BoxSimulator, "BoxSimulator", 43},
    {TextTable::SignalView, "SignalView", 11},
    {TextTable::DiagnosisNotices, "DiagnosisNotices", 6},
};

// The printf conversions of a text. The blank flag is left out: plain texts
// such as "45% und 80%" would otherwise read as conversions.
std::vector<std::string> conversions(const std::string& s) {
    static const std::regex conversion(
        R"(%[-+#0]*[0-9*]*(\.[0-9*]+)?(hh|h|ll|l|L|z)?[diouxXeEfgGcsp%])");
    std::vector<std::string> out;
    for (auto it = std::sregex_iterator(s.begin(), s.end(), conversion);
         it != std::sregex_iterator(); ++it) {
        out.push_back(it->str());
    }
    return out;
}

long count(const std::string& s, char c) {
    return std::count(s.begin(), s.end(), c);
}

std::size_t trailingBlanks(const std::string& s) {
    const std::size_t last = s.find_last_not_of(' ');
    return last == std::string::npos ? s.size() : s.size() - last - 1;
}

class TextTableTest : public ::testing::TestWithParam<TableInfo> {};

} // namespace

TEST_P(TextTableTest, HasItsRowsInEveryLanguage) {
    const TableInfo& t = GetParam();
    EXPECT_EQ(textRows(t.table), t.rows);
    for (int row = 0; row < t.rows; ++row) {
        const std::string english = textIn(t.table, row, 0);
        for (int lang = 1; lang < kLanguageCount; ++lang) {
            if (!english.empty()) {
                EXPECT_STRNE(textIn(t.table, row, lang), "")
                    << t.name << " row " << row << " language " << lang;
            }
        }
    }
}

TEST_P(TextTableTest, TranslationsKeepConversionsAndLineBreaks) {
    const TableInfo& t = GetParam();
    for (int row = 0; row < t.rows; ++row) {
        const std::string english = textIn(t.table, row, 0);
        for (int lang = 1; lang < kLanguageCount; ++lang) {
            const std::string other = textIn(t.table, row, lang);
            EXPECT_EQ(conversions(other), conversions(english))
                << t.name << " row " << row << " language " << lang << ": " << other;
            EXPECT_EQ(count(other, '\n'), count(english, '\n'))
                << t.name << " row " << row << " language " << lang << ": " << other;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllTables, TextTableTest, ::testing::ValuesIn(kTables),
                         [](const ::testing::TestParamInfo<TableInfo>& info) {
                             return std::string(info.param.name);
                         });

TEST(Texts, StatusTextsKeepTheBlanksThatJoinThem) {
    for (int row = 0; row < textRows(TextTable::StatusMessages); ++row) {
        const std::string english = textIn(TextTable::StatusMessages, row, 0);
        for (int lang = 1; lang < kLanguageCount; ++lang) {
            EXPECT_EQ(trailingBlanks(textIn(TextTable::StatusMessages, row, lang)),
                      trailingBlanks(english))
                << "row " << row << " language " << lang;
        }
    }
}

TEST(Texts, TextFollowsTheCurrentLanguage) {
    const int saved = configData.language;
    configData.language = 1;
    EXPECT_STREQ(text(TextTable::Setup, 0), "Systemeinstellungen");
    EXPECT_STREQ(text(TextTable::MainWindow, 10), textIn(TextTable::MainWindow, 10, 1));
    configData.language = 4;
    EXPECT_STREQ(text(TextTable::YesNo, 0), "Sí");
    configData.language = -1; // no language chosen yet
    EXPECT_STREQ(text(TextTable::YesNo, 0), "Yes");
    configData.language = saved;
}

TEST(Texts, RowsOutsideATableAreEmpty) {
    EXPECT_STREQ(textIn(TextTable::Menu, 5, 0), "");
    EXPECT_STREQ(textIn(TextTable::Menu, -1, 0), "");
    EXPECT_STREQ(textIn(TextTable::Menu, 0, 5), "");
    EXPECT_STREQ(textIn(TextTable::Menu, 0, -1), "");
    EXPECT_STREQ(textIn(static_cast<TextTable>(99), 0, 0), "");
    EXPECT_EQ(textRows(static_cast<TextTable>(99)), 0);
}

// Every table's row names: one name per row, and the names sit on the rows
// they say (a row added or removed in the middle shifts the English text
// under a name).
TEST(Texts, RowNamesCoverEveryRowAndSayWhatTheRowSays) {
    const struct {
        TextTable table;
        const char* name;
        int namedRows;
    } counts[] = {
        {TextTable::ChannelLabels, "ChannelLabels", channellabelrow::kCount},
        {TextTable::ManualFiles, "ManualFiles", manualfilerow::kCount},
        {TextTable::HelpPages, "HelpPages", helppagerow::kCount},
        {TextTable::StatusMessages, "StatusMessages", statusrow::kCount},
        {TextTable::Menu, "Menu", menurow::kCount},
        {TextTable::Setup, "Setup", setuprow::kCount},
        {TextTable::MainWindow, "MainWindow", mainwindowrow::kCount},
        {TextTable::YesNo, "YesNo", yesnorow::kCount},
        {TextTable::Recorder, "Recorder", recorderrow::kCount},
        {TextTable::Evaluation, "Evaluation", evaluationrow::kCount},
        {TextTable::TeachIn, "TeachIn", teachinrow::kCount},
        {TextTable::StartMenu, "StartMenu", startmenurow::kCount},
        {TextTable::TeachInSteps, "TeachInSteps", teachinsteprow::kCount},
        {TextTable::ToolTips, "ToolTips", kTipCloseExtended + 1},
        {TextTable::BoxSimulator, "BoxSimulator", boxsimulatorrow::kCount},
        {TextTable::SignalView, "SignalView", signalviewrow::kCount},
        {TextTable::DiagnosisNotices, "DiagnosisNotices", diagnosisnoticerow::kCount},
    };
    for (const auto& c : counts)
        EXPECT_EQ(c.namedRows, textRows(c.table)) << c.name;

    const struct {
        TextTable table;
        int row;
        const char* english;
    } rows[] = {
        {TextTable::ChannelLabels, channellabelrow::kPicture, "Pict.: "},
        {TextTable::ManualFiles, manualfilerow::kManual, "ManualEnglish.pdf"},
        {TextTable::ManualFiles, manualfilerow::kNoViewer, "Please install a PDF viewer"},
        {TextTable::HelpPages, helppagerow::kPage5, "E5.htm"},
        {TextTable::StatusMessages, statusrow::kNotConnected, "Sensor not connected ! "},
        {TextTable::StatusMessages, statusrow::kCantOpenFile, "Can't open file! "},
        {TextTable::StatusMessages, statusrow::kSearchingForCom, "Searching for COM"},
        {TextTable::Menu, menurow::kExtendedDisplay, "E&xtended Display"},
        {TextTable::Setup, setuprow::kFirstFormat, "Degrees"},
        {TextTable::Setup, setuprow::kMicron, "Micron"},
        {TextTable::MainWindow, mainwindowrow::kWait, "Wait"},
        {TextTable::MainWindow, mainwindowrow::kDacOffset, "DAC-Offset"},
        {TextTable::MainWindow, mainwindowrow::kOpenLogFolder, "Open log folder"},
        {TextTable::YesNo, yesnorow::kNo, "No"},
        {TextTable::Recorder, recorderrow::kFile, "File:"},
        {TextTable::Evaluation, evaluationrow::kRemarks, "Remarks: "},
        {TextTable::Evaluation, evaluationrow::kPdfFilter, "PDF files (*.pdf)"},
        {TextTable::TeachIn, teachinrow::kNext, "Next >"},
        {TextTable::TeachIn, teachinrow::kTitle, "TEACH-IN"},
        {TextTable::TeachIn, teachinrow::kWindowTitle, "Teach-In Dialog"},
        {TextTable::StartMenu, startmenurow::kHelpHint, "Press F1 for help.  "},
        {TextTable::ToolTips, kTipCloseExtended, "Close the extended display."},
        {TextTable::BoxSimulator, boxsimulatorrow::kPlugCableIn, "Plug cable in"},
        {TextTable::BoxSimulator, boxsimulatorrow::kFitsNoBearing, "Fits no bearing"},
        {TextTable::SignalView, signalviewrow::kClose, "Close"},
    };
    for (const auto& r : rows)
        EXPECT_STREQ(textIn(r.table, r.row, 0), r.english) << "row " << r.row;
}
