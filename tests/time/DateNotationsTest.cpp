// The RFC 822, UTCTime and GeneralizedTime readers and writers, with every
// error they report. GlibcPeerTest holds the writers against strftime,
// CertificateTimesTest the readers against OpenSSL on real certificates, and
// the date fuzz target the round trips, the from... members and the errors
// of arbitrary text.

#include "korvane/IndexOutOfRange.h"
#include "time/TimeTestSupport.h"

using namespace Korvane;
using korvane_test::expectError;
using korvane_test::fieldsOf;
using korvane_test::str;
using korvane_test::zoneOf;

TEST(DateNotationsTest, RFC822Readings) {
    struct Case { const char* text; const char* fields; const char* zone; } cases[] = {
        {"15 Nov 94 08:12:31 GMT", "1994-11-15 08:12:31.000", "GMT"},
        {"Tuesday, 15 NOVEMBER 1994 08:12 EST", "1994-11-15 08:12:00.000", "EST"},
        {"SUN,1 jan 2001 00:00:00 JST", "2001-01-01 00:00:00.000", "JST"},
        {"15 Nov 1994 08:12:31 +0530", "1994-11-15 08:12:31.000", "IST"},
        {"15 Nov 1994 08:12:31 +0517", "1994-11-15 08:12:31.000", "GMT"},
        {"15 Nov 1994 08:12:31 BST", "1994-11-15 08:12:31.000", "GMT"},
        {"15 Nov 1994 08:12:31 UTC trailing words", "1994-11-15 08:12:31.000", "UTC"},
        {"15 Nov 49 08:12:31 GMT", "2049-11-15 08:12:31.000", "GMT"},
        {"15 Nov 101 08:12:31 GMT", "0101-11-15 08:12:31.000", "GMT"},
        {"31 Feb 2001 25:61:61 GMT", "2001-03-04 02:02:01.000", "GMT"},  // carried
        {"xx Nov 2001 08:12:31 GMT", "2001-10-31 08:12:31.000", "GMT"},
    };
    for (const Case& c : cases) {
        const Date d = Date::makeRFC822Format(String(c.text));
        EXPECT_EQ(fieldsOf(d), c.fields) << c.text;
        EXPECT_EQ(zoneOf(d), c.zone) << c.text;
    }
    const Date summer = Date::makeRFC822Format(String("Sun, 01 Jul 2001 12:00:00 GMT"));
    EXPECT_EQ(str(summer.toRFC822Format()), "Sun, 01 Jul 2001 12:00:00 BST");
}

// Each text comes back in GMT and is `utc` in UTC.
TEST(DateNotationsTest, AsnTimeReadings) {
    struct Reading { bool generalized; const char* text; const char* utc; } cases[] = {
        {false, "9411150812Z", "1994-11-15 08:12:00.000"},
        {false, "491231235959Z", "2049-12-31 23:59:59.000"},
        {false, "941115081231+0530", "1994-11-15 02:42:31.000"},
        {false, "941115081231Zignored", "1994-11-15 08:12:31.000"},
        {false, "9411150812123Z", "1994-11-15 08:14:03.000"},
        {true, "20011231235959.5Z", "2001-12-31 23:59:59.005"},
        {true, "20011231235959.123456Z", "2001-12-31 23:59:59.123"},
        {true, "200112312359Z", "2001-12-31 23:59:00.000"},
        {true, "19941115081231.25-0500", "1994-11-15 13:12:31.025"},
        {true, "00050101000000Z", "0005-01-01 00:00:00.000"},
    };
    for (const Reading& c : cases) {
        Date d = c.generalized ? Date::makeGeneralizedTime(String(c.text))
                               : Date::makeUTCTime(String(c.text));
        EXPECT_EQ(zoneOf(d), "GMT") << c.text;
        d.setTimeZone(TimeZone::UTC);
        EXPECT_EQ(fieldsOf(d), c.utc) << c.text;
    }
    EXPECT_EQ(str(Date(2001, 11, 31, 23, 59, 59, 5, TimeZone::UTC).toGeneralizedTime()),
              "20011231235959.5Z");
    EXPECT_EQ(str(Date(2001, 11, 31, 23, 59, 59, 120, TimeZone::UTC).toGeneralizedTime()),
              "20011231235959.120Z");
}

TEST(DateNotationsTest, ErrorsOfTheReaders) {
    const char* const rfc = " Date::makeRFC822Format(const String& date)";
    const char* const utc = "Date::makeUTCTime(const String& date)";
    const char* const gen = "Date::makeGeneralizedTime(const String& date)";
    const std::string zoneError = "Failed in timezone processing, didn't find \"Z\", \"+\" or \"-\" ";
    struct Case { Date (*reader)(const String&); const char* text; int errNo; const char* location; std::string extra; } cases[] = {
        {&Date::makeRFC822Format, "15 Foo 1994 08:12:31 GMT", 22, rfc, "The month has not been assigned"},
        {&Date::makeRFC822Format, "", 21, "StringTokenizer::nextToken()", ""},
        {&Date::makeRFC822Format, "15 Nov 1994 08:12 +0100", 21, "StringTokenizer::nextToken()", ""},
        {&Date::makeUTCTime, "0107011200", 29, utc, "Date string was too short"},
        {&Date::makeUTCTime, "941115081231X", 29, utc, ""},
        {&Date::makeGeneralizedTime, "200112312359", 28, gen,
         "Unable to parse the following input \"200112312359\""},
        {&Date::makeGeneralizedTime, "20011231235959,5Z", 28, gen, zoneError},
        {&Date::makeGeneralizedTime, "20011231235959.5 Z", 28, gen, zoneError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        expectError([&] { c.reader(String(c.text)); }, c.errNo, c.location, c.extra);
    }
    for (const char* text : {"010701120000", "9411150812123456"})
        EXPECT_THROW(Date::makeUTCTime(String(text)), IndexOutOfRange) << text;
    for (const char* text : {"20011231235959", "20011231235959.5"})
        EXPECT_THROW(Date::makeGeneralizedTime(String(text)), IndexOutOfRange) << text;
}
