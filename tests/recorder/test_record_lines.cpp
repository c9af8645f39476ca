// The lines of the two record files, character for character, and reading a
// line back.

#include "display/TextFormat.h"
#include "recorder/FixedPointText.h"
#include "recorder/RecordFileFormat.h"

#include "recorder/RecorderTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace {

std::string fixed(double v, int width, int precision) {
    std::string out;
    appendFixed(out, v, width, precision);
    return out;
}

std::string line(const RecordSample& s) {
    std::string out;
    appendRecordLine(out, s);
    return out;
}

RecordSample fullSample() {
    RecordSample s = positionSample(12.34, 5.5, 47.26, 8.04);
    s.refA = 123.4;
    s.refB = -1.5;
    s.refC = 0.0;
    s.refD = 1000.06;
    s.refE = 12.0;
    s.refF = -99.9;
    s.refDistance = -250;
    const double dac[5] = {10.0, 20.5, -3.2, 0.04, 511.9};
    const double channels[5] = {1.1, -2.2, 3.3, -4.4, 5.5};
    for (int i = 0; i < 5; ++i) {
        s.dacOffsets[i] = dac[i];
        s.channelValues[i] = channels[i];
    }
    return s;
}

// The part from the reference values on, shared by the lines below.
const std::string kReferenceText = "123.4\t -1.5\t  0.0\t1000.1\t 12.0\t-99.9\t";
const std::string kChannelText =
    " 10.0\t 20.5\t -3.2\t  0.0\t511.9\t  1.1\t -2.2\t  3.3\t -4.4\t  5.5\n";

} // namespace

TEST(FixedPointText, WritesWhatPrintfWrites) {
    const double values[] = {0.0,  -0.0,     0.04,      -0.04,   0.05,      0.15,
                             0.25, 0.35,     2.5,       123.45,  359.99995, 359.99994,
                             1e6,  -1e6,     1e300,     -1e-300, 5e-324,    NAN,
                             -NAN, INFINITY, -INFINITY, 1234.56, 99999.95};
    for (double v : values) {
        EXPECT_EQ(fixed(v, 5, 1), formatText("%5.1lf", v)) << v;
        EXPECT_EQ(fixed(v, 6, 1), formatText("%6.1lf", v)) << v;
        EXPECT_EQ(fixed(v, 4, 4), formatText("%4.4lf", v)) << v;
    }
    // Many values in the ranges a recording holds, ties included.
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> wide(-2000.0, 2000.0);
    for (int i = 0; i < 20000; ++i) {
        const double v = i % 2 ? wide(random) : std::round(wide(random) * 100.0) / 100.0;
        ASSERT_EQ(fixed(v, 5, 1), formatText("%5.1lf", v)) << v;
        ASSERT_EQ(fixed(v, 4, 4), formatText("%4.4lf", v)) << v;
    }
}

TEST(FixedPointText, SignedIntegersAlwaysCarryTheirSign) {
    const std::int32_t values[] = {0,
                                   1,
                                   -1,
                                   5000,
                                   -250,
                                   12345678,
                                   -12345678,
                                   123456789,
                                   std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::max()};
    for (std::int32_t v : values) {
        std::string out;
        appendSigned(out, v, 8);
        EXPECT_EQ(out, formatText("%+8li", static_cast<long>(v))) << v;
    }
}

TEST(RecordLine, PositionSampleBelowTenDegreesHasTwoPaddingBlanks) {
    EXPECT_EQ(line(fullSample()), "  12.3 \t  "
                                  " 5.5000"
                                  "  47.3"
                                  "   8.0"
                                  "\t" +
                                      kReferenceText +
                                      "    -250"
                                      " " +
                                      kChannelText);
}

TEST(RecordLine, PositionBetweenTenAndHundredHasOnePaddingBlank) {
    RecordSample s = fullSample();
    s.position = 45.25;
    s.time = 0.0;
    s.refDistance = 5000;
    EXPECT_EQ(line(s), "   0.0 \t "
                       " 45.2500"
                       "  47.3"
                       "   8.0"
                       "\t" +
                           kReferenceText +
                           "   +5000"
                           " " +
                           kChannelText);
}

TEST(RecordLine, ReferenceSampleEndsAfterTheDistance) {
    RecordSample s = fullSample();
    s.isReference = true;
    s.position = 270.125;
    s.time = 1234.56;
    s.amplitudeWH = 100.0;
    s.amplitudeYE = 120.44;
    s.refDistance = -1234567;
    EXPECT_EQ(line(s), "1234.6 \t"
                       " 270.1250"
                       " 100.0"
                       " 120.4"
                       "\t" +
                           kReferenceText + "-1234567\n");
}

TEST(RecordLine, FileTextsSplitTheKindsInRecordingOrder) {
    const std::vector<RecordSample> samples = {positionSample(0.0, 1.0, 40, 41),
                                               referenceSample(0.1, 2.0, 100, -100),
                                               positionSample(0.2, 3.0, 42, 43)};
    const RecordFileTexts texts = recordFileTexts(samples);
    EXPECT_EQ(texts.amp, line(samples[0]) + line(samples[2]));
    EXPECT_EQ(texts.ref, line(samples[1]));
    EXPECT_TRUE(recordFileTexts({samples[0]}).ref.empty());
    EXPECT_TRUE(recordFileTexts({samples[1]}).amp.empty());
}

TEST(RecordLine, ReadsBackToThePrecisionOfTheFile) {
    for (bool reference : {false, true}) {
        RecordSample s = fullSample();
        s.isReference = reference;
        std::string text = line(s);
        text.pop_back();
        RecordSample back;
        ASSERT_TRUE(parseRecordLine(text, reference, back)) << text;
        EXPECT_EQ(line(back), line(s));
        EXPECT_EQ(back.isReference, reference);
        EXPECT_EQ(back.refDistance, -250);
        EXPECT_NEAR(back.time, 12.3, 1e-9);
        EXPECT_NEAR(back.refD, 1000.1, 1e-9);
        if (!reference) {
            EXPECT_NEAR(back.channelValues[4], 5.5, 1e-9);
        }
        // A line of the other kind has the wrong number of columns.
        EXPECT_FALSE(parseRecordLine(text, !reference, back));
    }
}

TEST(RecordLine, RefusesLinesARecordingCannotHold) {
    const std::string good = "   1.0 \t  5.0000  50.0  60.0\t  1.0\t  2.0\t  3.0\t  4.0\t  5.0\t  "
                             "6.0\t   +5000";
    RecordSample s;
    ASSERT_TRUE(parseRecordLine(good, true, s));
    const struct {
        const char* why;
        std::string line;
    } bad[] = {
        {"empty", ""},
        {"a column missing", "1.0 5.0 50.0 60.0 1 2 3 4 5 6"},
        {"a column too many", good + " 7"},
        {"not a number", "1.0 nan 50.0 60.0 1 2 3 4 5 6 +5000"},
        {"infinite", "1.0 5.0 50.0 60.0 1 inf 3 4 5 6 +5000"},
        {"exponent", "1.0 5.0 5e1 60.0 1 2 3 4 5 6 +5000"},
        {"position 360", "1.0 360.0000 50.0 60.0 1 2 3 4 5 6 +5000"},
        {"negative position", "1.0 -0.5 50.0 60.0 1 2 3 4 5 6 +5000"},
        {"negative time", "-1.0 5.0 50.0 60.0 1 2 3 4 5 6 +5000"},
        {"negative amplitude", "1.0 5.0 -50.0 60.0 1 2 3 4 5 6 +5000"},
        {"distance beyond 32 bits", "1.0 5.0 50.0 60.0 1 2 3 4 5 6 +2147483648"},
        {"distance with two signs", "1.0 5.0 50.0 60.0 1 2 3 4 5 6 ++5"},
        {"distance with decimals", "1.0 5.0 50.0 60.0 1 2 3 4 5 6 +5.0"},
        {"text", "time pos wh ye a b c d e f dist"},
        {"binary", std::string("1.0 5.0 50.0\0 60.0 1 2 3 4 5 6 +5000", 36)},
        {"over-long", good + std::string(kMaxRecordLine, ' ')},
    };
    for (const auto& b : bad) {
        EXPECT_FALSE(parseRecordLine(b.line, true, s)) << b.why;
    }
}
