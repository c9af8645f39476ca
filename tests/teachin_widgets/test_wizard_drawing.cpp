// The teach-in window's layout, bar pair, texts and redraw decisions as pure
// functions.

#include "config/ConfigData.h"
#include "config/TeachInRows.h"
#include "config/TeachInStepRows.h"
#include "config/Texts.h"
#include "display/AmplitudeScale.h"
#include "teachin/widgets/WizardBarPair.h"
#include "teachin/widgets/WizardLayout.h"
#include "teachin/widgets/WizardRedraw.h"
#include "teachin/widgets/WizardTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

class WizardLayoutAt : public ::testing::TestWithParam<QSize> {};

TEST_P(WizardLayoutAt, PutsEveryAreaInsideTheWindowWithoutOverlap) {
    const QRect client(QPoint(0, 0), GetParam());
    const WizardLayout l = WizardLayout::compute(client);
    const std::vector<std::pair<const char*, QRect>> separate = {
        {"title", l.title},        {"box line", l.boxLine},
        {"step text", l.stepText}, {"picture", l.advicePicture},
        {"advice", l.adviceText},  {"cancel", l.cancel},
        {"back", l.back},          {"next", l.next},
        {"help", l.help},          {"bars", l.bars},
    };
    for (const auto& [name, r] : separate) {
        EXPECT_FALSE(r.isEmpty()) << name;
        EXPECT_TRUE(client.contains(r)) << name;
        if (r != l.bars) {
            EXPECT_TRUE(l.panel.contains(r)) << name;
        }
    }
    for (std::size_t i = 0; i < separate.size(); ++i)
        for (std::size_t j = i + 1; j < separate.size(); ++j)
            EXPECT_FALSE(separate[i].second.intersects(separate[j].second))
                << separate[i].first << " / " << separate[j].first;
    // The position texts lie over the advice box, apart from each other.
    EXPECT_FALSE(l.positionText.intersects(l.speedText));
    EXPECT_TRUE(l.panel.contains(l.speedText));
    for (const QRect& column : {l.yeBar, l.scaleColumn, l.whBar})
        EXPECT_TRUE(l.bars.contains(column));
    EXPECT_LT(l.yeBar.right(), l.scaleColumn.left());
    EXPECT_LT(l.scaleColumn.right(), l.whBar.left());
}

INSTANTIATE_TEST_SUITE_P(Sizes, WizardLayoutAt,
                         ::testing::Values(QSize(1280, 800), QSize(1920, 1040), QSize(1366, 728),
                                           QSize(1024, 740), QSize(800, 560)));

TEST(WizardScale, FillsTheBarAlongTheSharedScale) {
    const WizardLayout l = WizardLayout::compute(QRect(0, 0, 1280, 800));
    const int h = l.bars.height();
    const auto filled = [&](double percent) {
        return WizardBarPair::valueFill(l, Head::YE, percent).height();
    };
    EXPECT_EQ(filled(0), 1); // only the bottom row
    EXPECT_NEAR(filled(100), 0.76 * h, 2);
    EXPECT_GE(filled(200), h * 99 / 100);
    EXPECT_EQ(filled(250), filled(200));
    EXPECT_EQ(WizardBarPair::valueFill(l, Head::WH, 50).bottom(), l.bars.bottom());
}

TEST(WizardBands, ColourEachBarByItsStep) {
    struct Case {
        int step;
        Head sensor;
        double value;
        WizardBand band;
    };
    const Head ye = Head::YE;
    const Head wh = Head::WH;
    const Case cases[] = {
        {0, ye, 44.9, WizardBand::Red},     {0, ye, 45, WizardBand::PaleGreen},
        {0, ye, 55, WizardBand::Green},     {0, ye, 75, WizardBand::Green},
        {0, ye, 80, WizardBand::PaleGreen}, {0, ye, 80.5, WizardBand::Red},
        {0, wh, 80.5, WizardBand::Idle},    {1, ye, 20, WizardBand::Idle},
        {1, wh, 76, WizardBand::PaleGreen}, {2, ye, 80.5, WizardBand::PaleGreen},
        {2, wh, 90.5, WizardBand::Red},     {4, wh, 29.9, WizardBand::Red},
        {3, ye, 50, WizardBand::Green},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WizardBarPair::barBand(c.step, c.sensor, c.value), c.band)
            << "step " << c.step << " value " << c.value;
    EXPECT_EQ(WizardBarPair::bandColour(WizardBand::Red, 32), (Rgb{255, 128, 128}));
    EXPECT_EQ(WizardBarPair::bandColour(WizardBand::Green, 32), (Rgb{128, 255, 128}));
    EXPECT_EQ(WizardBarPair::bandColour(WizardBand::Red, 4), (Rgb{255, 0, 0}));
}

TEST(WizardBands, ShowStripsAndMarkersOnlyWhenTheyMeanSomething) {
    WizardPicture p;
    p.stepCount = 5;
    p.step = 0;
    EXPECT_TRUE(WizardBarPair::markersShown(p));
    EXPECT_FALSE(WizardBarPair::stripsShown(p));
    p.travelRunning = true; // still running from a failed travel
    EXPECT_FALSE(WizardBarPair::stripsShown(p));
    p.failure = kYeRange | kTravelRange;
    EXPECT_TRUE(WizardBarPair::stripsShown(p));
    p = {};
    p.stepCount = 5;
    p.step = 2;
    EXPECT_FALSE(WizardBarPair::markersShown(p));
    p.travelRunning = true;
    EXPECT_TRUE(WizardBarPair::markersShown(p));
    EXPECT_TRUE(WizardBarPair::stripsShown(p));

    const WizardLayout l = WizardLayout::compute(QRect(0, 0, 1280, 800));
    const QRect strip = WizardBarPair::strip(l, Head::WH, 40, 70);
    EXPECT_EQ(strip.left(), l.whBar.left() + 2);
    EXPECT_EQ(strip.right(), l.whBar.right() - 2);
    EXPECT_EQ(strip.top(), l.scaleY(70));
    EXPECT_EQ(strip.bottom(), l.scaleY(40));
}

class WizardTexts : public ::testing::Test {
protected:
    void SetUp() override { setLanguage(0); }
};

// `p` with the latest amplitudes.
WizardPicture at(WizardPicture p, double ye, double wh) {
    p.amplitudeYE = ye;
    p.amplitudeWH = wh;
    return p;
}

TEST_F(WizardTexts, PickTheAdvicePictureByStepAndBlinkPhase) {
    WizardPicture p;
    p.stepCount = 5;
    p.step = 0;
    EXPECT_EQ(advicePicture(at(p, 40, 99)), Art::WizardYeCloserBright);
    p.blinkOn = false;
    EXPECT_EQ(advicePicture(at(p, 40, 99)), Art::WizardYeCloserDark);
    EXPECT_EQ(advicePicture(at(p, 65, 99)), Art::WizardYeOk);
    // No amplitude yet: no advice rather than "Reduce sensor distance!".
    EXPECT_EQ(advicePicture(at(p, -1, 99)), std::nullopt);
    EXPECT_EQ(adviceText(at(p, -1, 99)), "");
    p.step = 1;
    EXPECT_EQ(advicePicture(at(p, 65, 90)), Art::WizardWhAwayDark);
    p.step = 2;
    EXPECT_EQ(advicePicture(at(p, 65, 65)), Art::WizardRotateDark);
    p.blinkOn = true;
    EXPECT_EQ(advicePicture(at(p, 65, 65)), Art::WizardRotateBright);
    p.boxBusy = true;
    EXPECT_EQ(advicePicture(at(p, 65, 65)), Art::WizardRotateDark);
    p.stepSatisfied = true;
    EXPECT_EQ(advicePicture(at(p, 65, 65)), Art::WizardRotateDone);
    p.step = -1;
    EXPECT_EQ(advicePicture(at(p, 65, 65)), std::nullopt);
}

TEST_F(WizardTexts, ShowEachStepsTextAndTheDoneTextAtTheEnd) {
    WizardPicture p;
    p.noData = false;
    p.stepCount = 5;
    for (int step = 0; step < 5; ++step) {
        p.step = step;
        EXPECT_EQ(headerContent(p), HeaderContent::Box);
        EXPECT_EQ(stepTextRow(p), step);
        for (int language = 0; language < kLanguageCount; ++language)
            EXPECT_NE(std::string(textIn(TextTable::TeachInSteps, step, language)), "");
    }
    p.stepSatisfied = true;
    EXPECT_EQ(stepTextRow(p), teachinsteprow::kDone);
    p.step = 3; // satisfied, but not the last step
    EXPECT_EQ(stepTextRow(p), 3);
    p.stepCount = 3;
    p.step = 2;
    EXPECT_EQ(stepTextRow(p), teachinsteprow::kDone);

    p.noData = true;
    EXPECT_EQ(headerContent(p), HeaderContent::Searching);
    p.step = -2;
    EXPECT_EQ(headerContent(p), HeaderContent::Nothing);
    EXPECT_EQ(stepTextRow(p), -1);
    EXPECT_EQ(searchText(7), "Please wait… Searching for COM interface          COM7");
}

TEST(WizardRedraw, DrawsAgainOnlyWhatAPictureChanged) {
    using namespace wizardarea;
    WizardPicture a;
    a.noData = false;
    a.stepCount = 5;
    a.step = 0;
    EXPECT_EQ(staleAreas(a, a), 0);

    WizardPicture b = a;
    b.blinkOn = !a.blinkOn;
    EXPECT_EQ(staleAreas(a, b), kAdvicePicture);

    b = a;
    b.step = 1;
    EXPECT_NE(staleAreas(a, b) & kBars, 0);
    EXPECT_NE(staleAreas(a, b) & kStepText, 0);

    b = a;
    b.redraw = WizardPicture::kRedrawBars;
    EXPECT_EQ(staleAreas(a, b), kBars);

    b = a;
    b.positionText = "1.0° ";
    EXPECT_EQ(staleAreas(a, b), kAdviceText);

    WizardPicture searching;
    WizardPicture blink = searching;
    blink.blinkOn = false;
    EXPECT_NE(staleAreas(searching, blink) & kBoxLine, 0);

    b = a;
    b.step = 6;
    b.result = WizardResult::Success;
    EXPECT_EQ(staleAreas(a, b), kWindow);
}

} // namespace
