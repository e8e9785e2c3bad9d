// The rules that follow the machine's own zone. Built twice: under a TZ with
// a zero standard offset without (MACHINE_HAS_DAYLIGHT 0) and with (1)
// daylight saving. Zones whose standard offset is the machine's (GMT, UTC,
// any zero-offset zone) answer every daylight-saving question with the
// machine's flag; other zones keep their own rules.

#include "time/TimeTestSupport.h"

using namespace Korvane;
using namespace korvane_test;

namespace {

const bool kMachineDaylight = MACHINE_HAS_DAYLIGHT != 0;

bool inDst(const TimeZone& zone, unsigned int year, int month) {
    return zone.inDaylightSavingTime(Date(year, month, 15, 12, 0, 0, 0, zone));
}

}  // namespace

TEST(MachineZoneTest, ZonesWithTheMachinesOffsetFollowTheMachinesFlag) {
    // Definitions of any kind are the zone fuzz target's; here the predefined zones.
    EXPECT_EQ(&TimeZone::getLocalTimeZone(), &TimeZone::GMT);
    for (const TimeZone* zone : {&TimeZone::GMT, &TimeZone::UTC})
        for (unsigned int year : {1969u, 2001u})
            for (int month : {0, 6}) EXPECT_EQ(inDst(*zone, year, month), kMachineDaylight) << year << "-" << month + 1;
    EXPECT_TRUE(inDst(TimeZone::AET, 2001, 0) && !inDst(TimeZone::AET, 2001, 6));
    // With the flag every UTC date gains an hour in GMT, winter too; without
    // it GMT's own summer rules are not consulted at all.
    const char* const winter = kMachineDaylight ? "2001-01-01 13:00:00.000" : "2001-01-01 12:00:00.000";
    const char* const summer = kMachineDaylight ? "2001-07-01 13:00:00.000" : "2001-07-01 12:00:00.000";
    Date january(2001, 0, 1, 12, 0, 0, 0, TimeZone::UTC);
    january.setTimeZone(TimeZone::GMT);
    EXPECT_EQ(fieldsOf(january), winter);
    Date july(2001, 6, 1, 12, 0, 0, 0, TimeZone::UTC);
    july.setTimeZone(TimeZone::GMT);
    EXPECT_EQ(fieldsOf(july), summer);
    EXPECT_EQ(str(january.getFormat(String("%z"))), kMachineDaylight ? "BST" : "GMT");
    const Date read = Date::makeUTCTime(String("010101120000Z"));
    EXPECT_EQ(fieldsOf(read), winter);
    EXPECT_EQ(read.getEpochSecs(true), 978350400L);
    EXPECT_EQ(str(read.toUTCTime()), "010101120000Z");
}
