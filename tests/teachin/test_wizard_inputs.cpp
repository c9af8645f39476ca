// The wizard's inputs taken from the link's records.

#include "device/DeviceReadings.h"
#include "device/LinkControl.h"
#include "teachin/WizardInputs.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(WizardInputs, TakenFromTheRecordsEvenWithAnUnterminatedText) {
    DeviceReadings readings;
    LinkControl link;
    std::memset(readings.boxTypeText, 'A', sizeof readings.boxTypeText); // no closing zero
    std::strcpy(readings.boxInfoText, "12*");
    std::strcpy(readings.refPhaseText, "0.25");
    readings.amplitudeYE = 61.5;
    readings.errorFlags = 0x1000;
    link.noData = true;
    link.pendingCommand = kEraseRequest;
    const WizardInputs in = wizardInputs(readings, link, true, false, 0, 7);
    EXPECT_EQ(in.boxTypeText, std::string(sizeof readings.boxTypeText, 'A'));
    EXPECT_EQ(in.boxInfoText, "12*");
    EXPECT_EQ(in.refPhaseText, "0.25");
    EXPECT_EQ(in.amplitudeYE, 61.5);
    EXPECT_EQ(in.errorFlags, 0x1000);
    EXPECT_TRUE(in.noData);
    EXPECT_TRUE(in.requestPending);
    EXPECT_TRUE(in.boxStarting);
    EXPECT_TRUE(in.offsetSeenYE);
    EXPECT_FALSE(in.offsetSeenWH);
    EXPECT_EQ(in.comPort, 7);
    link.pendingCommand = kNoCommand;
    EXPECT_FALSE(wizardInputs(readings, link, true, true, 0, 7).requestPending);
}
