// The amplitude bars and the noise display as widgets: what they paint and
// how they keep the main window's noise controls in step.

#include "support/Waiting.h"

#include "acquisition/BoxRequests.h"
#include "acquisition/InterferenceDoor.h"
#include "config/ConfigData.h"
#include "device/LinkControl.h"
#include "display/AmplitudeScale.h"
#include "display/widgets/AmplitudeBars.h"
#include "display/widgets/AmplitudeGroup.h"
#include "display/widgets/NoiseDisplay.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

class BarsWidget : public ::testing::Test {
protected:
    void SetUp() override {
        group->resize(220, 300);
        group->setTitle(QStringLiteral("Amplitude"));
        group->setBars(bars);
        group->show();
        ASSERT_TRUE(waitWithEvents([&] { return group->isVisible(); }));
    }
    // The colour painted at the middle of a bar, at bar level `level`.
    QColor colourAtLevel(Head sensor, double level) {
        const QImage image = bars->grab().toImage();
        const AmplitudeBarGeometry g = bars->geometry();
        const QRect bar = g.bar(sensor);
        const int y = g.bottom - 2 - static_cast<int>(level / 100.0 * g.barHeight);
        // A stripe and its grey gap alternate: take the brighter of the two rows.
        const QColor a = image.pixelColor(bar.center().x(), y);
        const QColor b = image.pixelColor(bar.center().x(), y - 1);
        return a.lightness() >= b.lightness() ? a : b;
    }
    QColor grey = AmplitudeBars::paintColour(BarPaint::Grey, 32);
    QColor yellow = AmplitudeBars::paintColour(BarPaint::LightYellow, 32);
    QColor green = AmplitudeBars::paintColour(BarPaint::LightGreen, 32);
    std::unique_ptr<AmplitudeGroup> group = std::make_unique<AmplitudeGroup>();
    AmplitudeBars* bars = new AmplitudeBars;
};

TEST_F(BarsWidget, PaintsTheRangeInItsBandColours) {
    bars->draw(BarUpdate::newAmplitude(Head::YE, 40.0));
    bars->draw(BarUpdate::newAmplitude(Head::YE, 90.0));
    bars->draw(BarUpdate::newAmplitude(Head::YE, 62.3));
    EXPECT_EQ(bars->track(Head::YE).value, 62.0);
    EXPECT_EQ(colourAtLevel(Head::YE, AmplitudeScale(45)), yellow);
    EXPECT_EQ(colourAtLevel(Head::YE, AmplitudeScale(55)), green);
    EXPECT_EQ(colourAtLevel(Head::YE, AmplitudeScale(87)), yellow);
    EXPECT_EQ(colourAtLevel(Head::YE, AmplitudeScale(120)), grey);
    EXPECT_EQ(colourAtLevel(Head::YE, AmplitudeScale(20)), grey);
    // The white sensor has had no value: all grey.
    EXPECT_EQ(colourAtLevel(Head::WH, AmplitudeScale(62)), grey);
}

TEST_F(BarsWidget, ResetAndRepaintShowGreyUntilTheNextValue) {
    bars->draw(BarUpdate::newAmplitude(Head::WH, 40.0));
    bars->draw(BarUpdate::newAmplitude(Head::WH, 90.0));
    bars->draw(BarUpdate::forgetExtremes(Head::WH));
    bars->draw(BarUpdate::redraw(Head::WH));
    EXPECT_EQ(bars->track(Head::WH).value, 0.0);
    EXPECT_EQ(colourAtLevel(Head::WH, AmplitudeScale(62)), grey);
    bars->draw(BarUpdate::newAmplitude(Head::WH, 62.3));
    EXPECT_EQ(bars->track(Head::WH).minimum, 62.0);
    EXPECT_EQ(bars->track(Head::WH).maximum, 62.0);
    EXPECT_EQ(colourAtLevel(Head::WH, AmplitudeScale(50)), grey);
    EXPECT_FALSE(bars->busy());
}

TEST_F(BarsWidget, SensorLabelsStandOnTheirDarkGround) {
    const QImage image = bars->grab().toImage();
    const AmplitudeBarGeometry g = bars->geometry();
    for (Head sensor : {Head::WH, Head::YE}) {
        const QRect label = g.labelBox(sensor);
        EXPECT_EQ(image.pixelColor(label.left() + 1, label.top() + 1), QColor(64, 64, 64));
    }
}

TEST_F(BarsWidget, BarsLieInTheGroupBelowItsCaption) {
    const AmplitudeBarGeometry g = bars->geometry();
    const QRect contents = group->contentsRect();
    for (Head s : {Head::YE, Head::WH}) {
        EXPECT_TRUE(contents.contains(AmplitudeBars::barRegion(g, s))) << g.labelBox(s).top();
    }
    EXPECT_TRUE(bars->testAttribute(Qt::WA_TransparentForMouseEvents));
}

class NoiseWidget : public ::testing::Test {
protected:
    void SetUp() override {
        configData.language = 0;
        link.noData = false;
        link.boxStarting = false;
        link.newProtocol = true;
        window.resize(200, 100);
        button->setGeometry(10, 10, 80, 24);
        value->setGeometry(10, 50, 40, 20);
        noise->setGeometry(40, 48, 60, 22);
        noise->attach(button, value);
        window.show();
    }
    LinkControl link;
    // The door the display's requests go through, as the core's in the program.
    BoxRequests door{link, [] { return int64_t{0}; }};
    QWidget window;
    QPushButton* button = new QPushButton(&window);
    QLabel* value = new QLabel(&window);
    NoiseDisplay* noise = new NoiseDisplay(link, interferenceRequestsThrough(door), &window);
};

TEST_F(NoiseWidget, ButtonStartsAndTwoHighValuesStop) {
    button->click();
    EXPECT_TRUE(button->isChecked());
    EXPECT_TRUE(noise->running());
    EXPECT_TRUE(noise->isVisible());
    EXPECT_EQ(link.pendingCommand.load(), kInterferenceRequest);

    noise->showNoise(15.0, 15.0);
    EXPECT_EQ(value->text(), QStringLiteral("1.5 "));
    noise->showNoise(250.0, 250.0);
    EXPECT_TRUE(button->isChecked());
    noise->showNoise(250.0, 250.0);
    EXPECT_FALSE(button->isChecked());
    EXPECT_FALSE(noise->running());
    // The stop form arrives after the notification.
    EXPECT_TRUE(waitWithEvents([&] { return !noise->isVisible() && value->text().isEmpty(); }));
}

} // namespace
