// Date's calendar core and getFormat: the edges and the members glibc has no
// counterpart for (GlibcPeerTest holds arbitrary instants, dates and the
// strftime directives). Runs under the general TZ, 8100 s west, which no
// predefined zone has, so the local zone is GMT.
//
// The RFC 822, UTCTime and GeneralizedTime readers and writers, with every
// error they report: GlibcPeerTest holds the writers against strftime,
// CertificateTimesTest the readers against OpenSSL on real certificates, and
// the date fuzz target the round trips, the from... members and the errors
// of arbitrary text.
#include <climits>
#include <ctime>
#include <vector>

#include "korvane/IndexOutOfRange.h"
#include "time/TimeTestSupport.h"

using namespace Korvane;
using namespace korvane_test;

TEST(DateTest, ConstructorsAndNormalisation) {
    struct Case { Date date; const char* expected; } cases[] = {
        {Date(INT_MIN + 0L, TimeZone::UTC), "1901-12-13 20:45:52.000"},
        // A long of 64 bits (Linux x86-64) holds 2100; one of 32 bits (Windows)
        // holds no instant past 2038, and its widest negative value is 1901.
        {sizeof(long) == 8 ? Date(static_cast<long>(4102444800LL), TimeZone::UTC) : Date(LONG_MAX, TimeZone::UTC),
         sizeof(long) == 8 ? "2100-01-01 00:00:00.000" : "2038-01-19 03:14:07.000"},
        {Date(784894351L, TimeZone::IST), "1994-11-15 15:42:31.000"},
        {Date(993988800L, TimeZone::GMT), "2001-07-01 13:00:00.000"},  // GMT's summer time
        // The field constructor normalises without converting.
        {Date(1900, 1, 30, 0, 0, 0, 0, TimeZone::EST), "1900-03-02 00:00:00.000"},
        {Date(2001, 0, 1, 0, 0, 0, -1, TimeZone::EST), "2000-12-31 23:59:59.999"},
        {Date(2001, -13, 1, 0, 0, 0, 0, TimeZone::EST), "1999-12-01 00:00:00.000"},
        {Date(2004, 2, 0, 0, 0, 0, 0, TimeZone::EST), "2004-02-29 00:00:00.000"},
        {Date(0, -1, 1, 0, 0, 0, 0, TimeZone::UTC), "4294967295-12-01 00:00:00.000"},  // wraps
    };
    for (const Case& c : cases) EXPECT_EQ(fieldsOf(c.date), c.expected);
    EXPECT_EQ(zoneOf(cases[2].date), "IST");
}

TEST(DateTest, SettersStoreThenNormalise) {
    Date d(2004, 2, 1, 0, 0, 0, 0, TimeZone::UTC);
    d.setDay(0);
    d.setHour(-1);
    EXPECT_EQ(fieldsOf(d), "2004-02-28 23:00:00.000");
    d.setSeconds(3600);
    d.setYear(2005);  // the 29th of February carries into March
    EXPECT_EQ(fieldsOf(d), "2005-03-01 00:00:00.000");
    d.setMonth(-1);
    d.setMinute(61);
    d.setMilliseconds(2500);
    EXPECT_EQ(fieldsOf(d), "2004-12-01 01:01:02.500");
}

TEST(DateTest, EpochSecondsAndComparisons) {
    struct Case { Date date; bool withOffset; long expected; } cases[] = {
        {Date(1970, 0, 1, 0, 0, 0, 999, TimeZone::UTC), false, 0L},
        {Date(1969, 11, 31, 23, 59, 59, 0, TimeZone::UTC), false, -1L},
        {Date(2037, 11, 31, 23, 59, 59, 0, TimeZone::UTC), false, 2145916799L},
        {Date(2038, 0, 1, 0, 0, 0, 0, TimeZone::UTC), false, -1L},
        {Date(1994, 10, 15, 8, 12, 31, 0, TimeZone::EST), false, 784894351L - 2 * 3600},
        {Date(1994, 10, 15, 8, 12, 31, 0, TimeZone::EST), true, 784894351L + 3 * 3600},
        {Date(2001, 6, 1, 13, 0, 0, 0, TimeZone::GMT), true, 993988800L},
    };
    for (const Case& c : cases) EXPECT_EQ(c.date.getEpochSecs(c.withOffset), c.expected) << fieldsOf(c.date);
    // Whole seconds, across zones; compareDateOnly uses this date's zone.
    const Date a(2001, 0, 1, 12, 0, 0, 100, TimeZone::UTC), same(2001, 0, 1, 7, 0, 0, 900, TimeZone::EST);
    const Date later(2001, 0, 1, 7, 0, 1, 0, TimeZone::EST);
    EXPECT_TRUE(a.equals(same) && a == same && a <= same && a >= same);
    EXPECT_FALSE(a.after(same) || a.before(same) || a < same || a != same);
    EXPECT_TRUE(later.after(a) && a.before(later) && a < later && later > a && a != later);
    EXPECT_EQ(Date(2001, 0, 1, 23, 30, 0, 0, TimeZone::UTC).compareDateOnly(Date(2001, 0, 2, 0, 30, 0, 0, TimeZone::ECT)),
              Date::SAME_DAY);
    EXPECT_EQ(a.compareDateOnly(Date(2001, 0, 2, 0, 30, 0, 0, TimeZone::UTC)), Date::EARLIER);
    EXPECT_EQ(Date(2002, 0, 1, 0, 0, 0, 0, TimeZone::UTC).compareDateOnly(a), Date::LATER);
}

TEST(DateTest, StructTMAndTheClock) {
    tm t{};
    Date(1994, 10, 15, 8, 12, 31, 0, TimeZone::EST).toStructTM(&t);
    EXPECT_EQ(std::vector<int>({t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, t.tm_wday, t.tm_yday,
                                t.tm_isdst}),
              std::vector<int>({94, 10, 15, 8, 12, 31, 2, 318, 0}));
    Date(1900, 0, 1, 0, 0, 0, 0, TimeZone::UTC).toStructTM(&t);
    EXPECT_EQ(t.tm_year, 0);
    expectError([&] { Date(1899, 11, 31, 0, 0, 0, 0, TimeZone::UTC).toStructTM(&t); }, 27, "Date::toStructTM(tm *)");
    EXPECT_EQ(t.tm_year, 0);  // untouched
    expectError([&] { Date(0L, TimeZone::UTC).toStructTM(nullptr); }, 4, "Date::toStructTM(tm *)");
    tm local{};
    local.tm_year = 101;
    local.tm_mon = 1;
    local.tm_mday = 29;  // carried into March
    local.tm_hour = 25;
    local.tm_isdst = 1;
    const Date d = Date::makeFromStructTM(&local);
    EXPECT_EQ(fieldsOf(d) + zoneOf(d), "2001-03-02 01:00:00.000GMT");
    Date target(0L, TimeZone::EST);
    EXPECT_EQ(&target.fromStructTM(&local), &target);
    EXPECT_EQ(fieldsOf(target), fieldsOf(d));
    expectError([] { Date::makeFromStructTM(nullptr); }, 4, "Date::makeFromStructTM(const tm* const t)");

    const long before = static_cast<long>(std::time(nullptr));
    const Date now = Date::now(TimeZone::EST), inLocalZone;
    const long after = static_cast<long>(std::time(nullptr));
    EXPECT_EQ(zoneOf(now) + zoneOf(inLocalZone), "ESTGMT");
    for (const Date* n : {&now, &inLocalZone})
        EXPECT_TRUE(after > 2145916799L || (n->getEpochSecs(true) >= before && n->getEpochSecs(true) <= after));
    EXPECT_LE(Date::nextYear(TimeZone::UTC).getYear() - Date(after, TimeZone::UTC).getYear(), 1u);
}

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
