// The RFC 822, UTCTime and GeneralizedTime readers and writers, with every
// error they report.
#include <gtest/gtest.h>

#include <random>

#include "korvane/IndexOutOfRange.h"
#include "time/TimeTestSupport.h"

using namespace Korvane;
using korvane_test::expectQuillon;
using korvane_test::fieldsOf;
using korvane_test::str;
using korvane_test::zoneOf;

namespace {

const char* const kRFC822Location = " Date::makeRFC822Format(const String& date)";
const char* const kUTCLocation = "Date::makeUTCTime(const String& date)";
const char* const kGeneralizedLocation = "Date::makeGeneralizedTime(const String& date)";

}  // namespace

// ---- RFC 822 --------------------------------------------------------------------------

TEST(DateNotationsTest, RFC822Readings) {
    struct Case {
        const char* text;
        const char* fields;
        const char* zone;
    } cases[] = {
        {"Tue, 15 Nov 1994 08:12:31 GMT", "1994-11-15 08:12:31.000", "GMT"},
        {"15 Nov 94 08:12:31 GMT", "1994-11-15 08:12:31.000", "GMT"},
        {"Tuesday, 15 NOVEMBER 1994 08:12 EST", "1994-11-15 08:12:00.000", "EST"},
        {"SUN,1 jan 2001 00:00:00 JST", "2001-01-01 00:00:00.000", "JST"},
        {"15 Nov 1994 08:12:31 +0100", "1994-11-15 08:12:31.000", "ECT"},
        {"15 Nov 1994 08:12:31 -0500", "1994-11-15 08:12:31.000", "EST"},
        {"15 Nov 1994 08:12:31 +0530", "1994-11-15 08:12:31.000", "IST"},
        {"15 Nov 1994 08:12:31 +0517", "1994-11-15 08:12:31.000", "GMT"},
        {"15 Nov 1994 08:12:31 UT", "1994-11-15 08:12:31.000", "GMT"},
        {"15 Nov 1994 08:12:31 Z", "1994-11-15 08:12:31.000", "GMT"},
        {"15 Nov 1994 08:12:31 BST", "1994-11-15 08:12:31.000", "GMT"},
        {"15 Nov 1994 08:12:31 UTC trailing words", "1994-11-15 08:12:31.000", "UTC"},
        {"15 Nov 49 08:12:31 GMT", "2049-11-15 08:12:31.000", "GMT"},
        {"15 Nov 50 08:12:31 GMT", "1950-11-15 08:12:31.000", "GMT"},
        {"15 Nov 00 08:12:31 GMT", "2000-11-15 08:12:31.000", "GMT"},
        {"15 Nov 2001 08:12:31 GMT", "2001-11-15 08:12:31.000", "GMT"},
        {"15 Nov 101 08:12:31 GMT", "0101-11-15 08:12:31.000", "GMT"},
        // Out-of-range values are carried, not rejected.
        {"31 Feb 2001 25:61:61 GMT", "2001-03-04 02:02:01.000", "GMT"},
        {"xx Nov 2001 08:12:31 GMT", "2001-10-31 08:12:31.000", "GMT"},
    };
    for (const Case& c : cases) {
        const Date d = Date::makeRFC822Format(String(c.text));
        EXPECT_EQ(fieldsOf(d), c.fields) << c.text;
        EXPECT_EQ(zoneOf(d), c.zone) << c.text;
    }
}

TEST(DateNotationsTest, RFC822SummerDateStaysInItsZone) {
    const Date d = Date::makeRFC822Format(String("Sun, 01 Jul 2001 12:00:00 GMT"));
    EXPECT_EQ(fieldsOf(d), "2001-07-01 12:00:00.000");
    EXPECT_TRUE(d.inDaylightSavingTime());
    EXPECT_EQ(str(d.toRFC822Format()), "Sun, 01 Jul 2001 12:00:00 BST");
}

TEST(DateNotationsTest, RFC822Errors) {
    for (const char* text : {"15 Foo 1994 08:12:31 GMT", "Tue, Nov 15 1994 08:12:31 GMT",
                             "1 2 3 4 5 6", "15 November1994 08:12:31 GMT"})
        expectQuillon([&] { Date::makeRFC822Format(String(text)); }, 22, kRFC822Location,
                      "The month has not been assigned");
    for (const char* text : {"15 Nov 1994", "", "   ", "Tue,", "Tue 15", "15 Nov 1994 08:12",
                             "15 Nov 1994 08:12 +0100", "15 Nov 1994 08:12:31"})
        expectQuillon([&] { Date::makeRFC822Format(String(text)); }, 21,
                      "StringTokenizer::nextToken()", "");
}

TEST(DateNotationsTest, RFC822FromMemberAssignsOrLeavesUnchanged) {
    Date d(0L, TimeZone::UTC);
    EXPECT_EQ(&d.fromRFC822Format(String("15 Nov 1994 08:12:31 EST")), &d);
    EXPECT_EQ(fieldsOf(d), "1994-11-15 08:12:31.000");
    EXPECT_EQ(zoneOf(d), "EST");
    EXPECT_THROW(d.fromRFC822Format(String("15 Foo 1994 08:12:31 EST")), QuillonException);
    EXPECT_EQ(fieldsOf(d), "1994-11-15 08:12:31.000");
    EXPECT_EQ(str(d.toString()), "Tue, 15 Nov 1994 08:12:31 EST");
}

TEST(DateNotationsTest, RFC822RoundTripOfRandomDates) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    const TimeZone* zones[] = {&TimeZone::EST, &TimeZone::JST, &TimeZone::UTC, &TimeZone::IST,
                               &TimeZone::GMT, &TimeZone::CNT, &TimeZone::AET};
    for (int round = 0; round < 2000; ++round) {
        const TimeZone& zone = *zones[random() % 7];
        const Date d(1000 + random() % 9000, static_cast<int>(random() % 12),
                     static_cast<int>(random() % 31 + 1), static_cast<int>(random() % 24),
                     static_cast<int>(random() % 60), static_cast<int>(random() % 60), 0, zone);
        const String text = d.toRFC822Format();
        const Date back = Date::makeRFC822Format(text);
        ASSERT_EQ(fieldsOf(back), fieldsOf(d)) << "seed " << seed << " " << str(text);
        // A daylight name reads back as the zone it belongs to.
        ASSERT_EQ(back.getTimeZoneOffset(), zone.getTimeZoneOffset()) << "seed " << seed;
    }
}

// ---- UTCTime --------------------------------------------------------------------------

namespace {

// Each text read by `reader` comes back in GMT and is `utc` in UTC.
struct Reading {
    const char* text;
    const char* utc;
};
template <std::size_t N>
void expectReadings(const Date (*reader)(const String&), const Reading (&cases)[N]) {
    for (const Reading& c : cases) {
        Date d = reader(String(c.text));
        EXPECT_EQ(zoneOf(d), "GMT") << c.text;
        d.setTimeZone(TimeZone::UTC);
        EXPECT_EQ(fieldsOf(d), c.utc) << c.text;
    }
}

}  // namespace

TEST(DateNotationsTest, UTCTimeReadings) {
    const Reading cases[] = {
        {"941115081231Z", "1994-11-15 08:12:31.000"},
        {"9411150812Z", "1994-11-15 08:12:00.000"},
        {"491231235959Z", "2049-12-31 23:59:59.000"},
        {"500101000000Z", "1950-01-01 00:00:00.000"},
        {"941115081231+0100", "1994-11-15 07:12:31.000"},
        {"941115081231-0500", "1994-11-15 13:12:31.000"},
        {"941115081231+0530", "1994-11-15 02:42:31.000"},
        {"941115081231-0530", "1994-11-15 08:12:31.000"},
        {"941115081231Zignored", "1994-11-15 08:12:31.000"},
        {"9411150812123Z", "1994-11-15 08:14:03.000"},
    };
    expectReadings(&Date::makeUTCTime, cases);
}

TEST(DateNotationsTest, UTCTimeInSummerComesBackInBritishSummerTime) {
    const Date d = Date::makeUTCTime(String("010701120000Z"));
    EXPECT_EQ(fieldsOf(d), "2001-07-01 13:00:00.000");
    EXPECT_TRUE(d.inDaylightSavingTime());
    EXPECT_EQ(d.getEpochSecs(true), 993988800L);
    EXPECT_EQ(str(d.toUTCTime()), "010701120000Z");
}

TEST(DateNotationsTest, UTCTimeErrors) {
    for (const char* text : {"0107011200", ""})
        expectQuillon([&] { Date::makeUTCTime(String(text)); }, 29, kUTCLocation,
                      "Date string was too short");
    for (const char* text : {"941115081231X", "94111508123 Z", "9411150812 "})
        expectQuillon([&] { Date::makeUTCTime(String(text)); }, 29, kUTCLocation, "");
    for (const char* text : {"010701120000", "01070112000", "9411150812123456"})
        EXPECT_THROW(Date::makeUTCTime(String(text)), IndexOutOfRange) << text;
}

TEST(DateNotationsTest, UTCTimeWriter) {
    // Other instants are held against strftime in GlibcPeerTest.
    EXPECT_EQ(str(Date(2049, 11, 31, 23, 59, 59, 999, TimeZone::UTC).toUTCTime()), "491231235959Z");
    Date target(0L, TimeZone::EST);
    EXPECT_EQ(&target.fromUTCTime(String("941115081231Z")), &target);
    EXPECT_EQ(zoneOf(target), "GMT");
    EXPECT_THROW(target.fromUTCTime(String("94111508123X")), QuillonException);
    EXPECT_EQ(fieldsOf(target), "1994-11-15 08:12:31.000");
}

// ---- GeneralizedTime ----------------------------------------------------------------

TEST(DateNotationsTest, GeneralizedTimeReadings) {
    const Reading cases[] = {
        {"20011231235959.5Z", "2001-12-31 23:59:59.005"},
        {"20011231235959.05Z", "2001-12-31 23:59:59.005"},
        {"20011231235959.005Z", "2001-12-31 23:59:59.005"},
        {"20011231235959.500Z", "2001-12-31 23:59:59.500"},
        {"20011231235959.123456Z", "2001-12-31 23:59:59.123"},
        {"20011231235959.Z", "2001-12-31 23:59:59.000"},
        {"20011231235959Z", "2001-12-31 23:59:59.000"},
        {"200112312359Z", "2001-12-31 23:59:00.000"},
        {"19941115081231+0100", "1994-11-15 07:12:31.000"},
        {"19941115081231.25-0500", "1994-11-15 13:12:31.025"},
        {"00050101000000Z", "0005-01-01 00:00:00.000"},
    };
    expectReadings(&Date::makeGeneralizedTime, cases);
}

TEST(DateNotationsTest, GeneralizedTimeErrors) {
    expectQuillon([] { Date::makeGeneralizedTime(String("200112312359")); }, 28,
                  kGeneralizedLocation,
                  "Unable to parse the following input \"200112312359\"");
    expectQuillon([] { Date::makeGeneralizedTime(String("")); }, 28, kGeneralizedLocation,
                  "Unable to parse the following input \"\"");
    const std::string zoneError = "Failed in timezone processing, didn't find \"Z\", \"+\" or \"-\" ";
    for (const char* text : {"20011231235959X", "20011231235959,5Z", "20011231235959.5 Z"})
        expectQuillon([&] { Date::makeGeneralizedTime(String(text)); }, 28, kGeneralizedLocation,
                      zoneError);
    for (const char* text : {"20011231235959", "20011231235959.5", "2001123123595"})
        EXPECT_THROW(Date::makeGeneralizedTime(String(text)), IndexOutOfRange) << text;
}

TEST(DateNotationsTest, GeneralizedTimeWriter) {
    const Date five(2001, 11, 31, 23, 59, 59, 5, TimeZone::UTC);
    EXPECT_EQ(str(five.toGeneralizedTime()), "20011231235959.5Z");
    EXPECT_EQ(str(Date(2001, 11, 31, 23, 59, 59, 0, TimeZone::UTC).toGeneralizedTime()),
              "20011231235959Z");
    EXPECT_EQ(str(Date(2001, 11, 31, 23, 59, 59, 120, TimeZone::UTC).toGeneralizedTime()),
              "20011231235959.120Z");
    EXPECT_EQ(str(Date(5, 0, 1, 0, 0, 0, 0, TimeZone::UTC).toGeneralizedTime()),
              "00050101000000Z");
    Date target(0L, TimeZone::EST);
    EXPECT_EQ(&target.fromGeneralizedTime(String("20011231235959.5Z")), &target);
    EXPECT_EQ(target.getMilliseconds(), 5u);
}

// Dates in fixed zones convert to UTC exactly, so their texts read back as
// the same moment; the readers return it in GMT, by the same conversion that
// Date(instant, GMT) makes.
TEST(DateNotationsTest, AsnTimesRoundTripRandomMoments) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    const TimeZone* zones[] = {&TimeZone::EST, &TimeZone::JST, &TimeZone::UTC, &TimeZone::IST,
                               &TimeZone::CNT};
    for (int round = 0; round < 3000; ++round) {
        const long instant = static_cast<long>(random() % 2145916800u);
        const int millis = static_cast<int>(random() % 1000);
        Date d(instant, *zones[random() % 5]);
        d.setMilliseconds(millis);
        Date expected(instant, TimeZone::GMT);
        expected.setMilliseconds(millis);
        const Date generalized = Date::makeGeneralizedTime(d.toGeneralizedTime());
        ASSERT_EQ(fieldsOf(generalized), fieldsOf(expected)) << "seed " << seed;
        if (d.getYear() >= 1950 && d.getYear() <= 2049) {
            const Date utc = Date::makeUTCTime(d.toUTCTime());
            expected.setMilliseconds(0);
            ASSERT_EQ(fieldsOf(utc), fieldsOf(expected)) << "seed " << seed;
        }
    }
}

// ---- Bad input ----------------------------------------------------------------------

// Random texts over the characters the notations use: every reader either
// gives a date or reports one of the errors it names, never anything else.
TEST(DateNotationsTest, MalformedTextsGiveOnlyTheNamedErrors) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    const char alphabet[] = "0123456789012345678901234567890123456789Z+-.:, NovTueGMTEST\x01\xff";
    const std::size_t letters = sizeof alphabet - 1;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i) text += alphabet[random() % letters];
        const String input(text.c_str());
        const std::string context = "seed " + std::to_string(seed) + " text '" + text + "'";
        try {
            Date::makeUTCTime(input);
        } catch (const QuillonException& e) {
            ASSERT_EQ(e.getErrNo(0), 29) << context;
        } catch (const IndexOutOfRange&) {
        }
        try {
            Date::makeGeneralizedTime(input);
        } catch (const QuillonException& e) {
            ASSERT_EQ(e.getErrNo(0), 28) << context;
        } catch (const IndexOutOfRange&) {
        }
        try {
            Date::makeRFC822Format(input);
        } catch (const QuillonException& e) {
            ASSERT_TRUE(e.getErrNo(0) == 21 || e.getErrNo(0) == 22) << context;
        }
    }
}

TEST(DateNotationsTest, MalformedZoneDefinitionsOnlyEverThrowErrorFortyOne) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    const char alphabet[] = "ABCDEFJM0123456789012345,;.:/+-";
    const std::size_t letters = sizeof alphabet - 1;
    int thrown = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text = round % 2 == 0 ? "XYZ+2ABC," : "";
        const int length = static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i) text += alphabet[random() % letters];
        try {
            const TimeZone zone{String(text.c_str())};
            // Whatever was read, the zone answers without failing.
            (void)zone.inDaylightSavingTime(Date(2001, 6, 1, 12, 0, 0, 0, zone));
            (void)zone.getTimeZoneOffsetWithDST();
        } catch (const QuillonException& e) {
            ASSERT_EQ(e.getErrNo(0), 41) << "seed " << seed << " definition '" << text << "'";
            ++thrown;
        }
    }
    // Complete rule pairs with months around the valid range: error 41
    // exactly when a month's length is needed outside 1..12: month 14 and
    // up always (month 13 lies before it), months 0 and 13 from week 2 on.
    for (int round = 0; round < 2000; ++round) {
        const int startMonth = static_cast<int>(random() % 16);
        const int endMonth = static_cast<int>(random() % 16);
        const int startWeek = static_cast<int>(random() % 7);
        const std::string startDay = std::to_string(random() % 9);
        const int endWeek = static_cast<int>(random() % 7);
        const std::string endDay = std::to_string(random() % 9);
        const std::string text = "XYZ+2ABC,M" + std::to_string(startMonth) + "." +
                                 std::to_string(startWeek) + "." + startDay + ",M" +
                                 std::to_string(endMonth) + "." + std::to_string(endWeek) + "." + endDay;
        const auto needsLengthOutside = [](int month, int week) {
            return month > 13 || ((month == 0 || month == 13) && week >= 2);
        };
        const bool bad = needsLengthOutside(startMonth, startWeek) || needsLengthOutside(endMonth, endWeek);
        try {
            const TimeZone zone{String(text.c_str())};
            EXPECT_FALSE(bad) << "seed " << seed << " definition '" << text << "'";
        } catch (const QuillonException& e) {
            EXPECT_TRUE(bad) << "seed " << seed << " definition '" << text << "'";
            EXPECT_EQ(e.getErrNo(0), 41);
            ++thrown;
        }
    }
    EXPECT_GT(thrown, 0);
}
