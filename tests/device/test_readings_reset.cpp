#include "device/ReadingsReset.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ReadingsReset, ZeroesAllButTheSerialNumbersAndAwaitsIdentification) {
    DeviceReadings readings;
    // Every byte non-zero, then readable serial texts.
    std::memset(static_cast<void*>(&readings), 0x5A, sizeof readings);
    readings.absolutePositionMode = true;
    readings.boxInfoMarked = true;
    std::strcpy(readings.serialTextA, "SN-0001");
    std::strcpy(readings.serialTextB, "BOX-XYZ");
    LinkControl link;
    link.newProtocol = true;
    link.statusRestart = true;
    link.awaitingIdentification = false;
    link.boxStarting = false;
    link.pendingCommand = kEraseRequest;

    resetDeviceReadings(readings, link);

    EXPECT_EQ(readings.firmwareVersion, 0.0);
    EXPECT_STREQ(readings.boxTypeText, "");
    EXPECT_EQ(readings.rawPosition, 0);
    EXPECT_EQ(readings.refRawPosition, 0);
    EXPECT_FALSE(readings.absolutePositionMode);
    EXPECT_FALSE(readings.boxInfoMarked);
    EXPECT_EQ(readings.speed, 0.0);
    EXPECT_EQ(readings.channelFactors[4], 0.0);
    EXPECT_EQ(readings.refValues[6], 0.0);
    EXPECT_STREQ(readings.refPhaseText, "");
    EXPECT_STREQ(readings.serialTextA, "SN-0001");
    EXPECT_STREQ(readings.serialTextB, "BOX-XYZ");

    EXPECT_FALSE(link.newProtocol);
    EXPECT_FALSE(link.statusRestart);
    EXPECT_TRUE(link.awaitingIdentification);
    EXPECT_TRUE(link.purgeRequest); // lines in transit answer the old state
    // Not the device half's business: the box reset handling and the requester.
    EXPECT_FALSE(link.boxStarting);
    EXPECT_EQ(link.pendingCommand, kEraseRequest);
}

} // namespace
