// The three date readers on one input text. Each either throws one of its
// own errors (its QuillonException number, StringTokenizer's 21, or
// IndexOutOfRange from the checked element access) or returns a date whose
// text, written by the matching writer and read again, gives the same
// instant (in the same zone for RFC 822, in GMT for the ASN.1 types).
// A from... member that throws leaves its object unchanged.
#include <functional>
#include <tuple>

#include "FuzzSupport.h"
#include "korvane/Date.h"
#include "korvane/IndexOutOfRange.h"
#include "korvane/QuillonException.h"
#include "korvane/TimeZone.h"

using namespace Korvane;

namespace {

// The fields of a date, with its zone's standard offset and name.
using Fields = std::tuple<unsigned int, unsigned int, unsigned int, unsigned int, unsigned int, unsigned int,
                          unsigned int, int, std::string>;
Fields fieldsOf(const Date& d) {
    return Fields(d.getYear(), d.getMonth(), d.getDay(), d.getHour(), d.getMinute(), d.getSeconds(),
                  d.getMilliseconds(), d.getTimeZoneOffset(), korvane_fuzz::str(d.getTimeZone().to3CharString(false)));
}

using Reader = std::function<Date(const String&)>;
using Writer = std::function<String(const Date&)>;

// Reads `input`; on success checks that writing and reading again gives the
// same fields, when the year lies where the writer's notation can hold it.
// Returns whether the reader accepted the text.
bool check(const String& input, const Reader& read, const Writer& write, int ownError,
           bool tokenizerErrors, unsigned int lowYear, unsigned int highYear,
           bool (*fromMember)(Date&, const String&)) {
    Date date(0L, TimeZone::JST);
    bool accepted = false;
    try {
        date = read(input);
        accepted = true;
    } catch (const QuillonException& e) {
        FUZZ_CHECK(e.getErrorStackSize() == 1);
        FUZZ_CHECK(e.getErrNo(0) == ownError || (tokenizerErrors && e.getErrNo(0) == 21));
    } catch (const IndexOutOfRange&) {
    }
    // The from... form: same outcome, and no change when it throws.
    Date target(86400L * 4000, TimeZone::AET);
    const Fields before = fieldsOf(target);
    const bool assigned = fromMember(target, input);
    FUZZ_CHECK(assigned == accepted);
    FUZZ_CHECK(fieldsOf(target) == (accepted ? fieldsOf(date) : before));
    if (!accepted) return false;

    Date utc(date);
    utc.setTimeZone(TimeZone::UTC);
    const unsigned int year = lowYear == 0 ? date.getYear() : utc.getYear();
    if (year < lowYear || year > highYear) return true;
    // RFC 822 texts name the zone by its abbreviation, and the reader takes
    // "BST" for GMT's summer time: a date in the Bangladesh zone comes back
    // in GMT, as the name lookup has it.
    if (lowYear == 0 && date.getTimeZoneOffset() == TimeZone::BST.getTimeZoneOffset() &&
        korvane_fuzz::str(date.getTimeZone().to3CharString(false)) == "BST")
        return true;
    const String written = write(date);
    Date again(0L, TimeZone::JST);
    try {
        again = read(written);
    } catch (...) {
        std::fprintf(stderr, "written text not read back: %s\n", written.getData());
        FUZZ_CHECK(false);
    }
    // The same instant: the wall-clock fields may differ where a zone's
    // daylight-saving change skips or repeats an hour.
    Date againUTC(again);
    againUTC.setTimeZone(TimeZone::UTC);
    if (fieldsOf(againUTC) != fieldsOf(utc) || again.getTimeZoneOffset() != date.getTimeZoneOffset()) {
        std::fprintf(stderr, "written %s, read back as %s\n", written.getData(),
                     again.toRFC822Format().getData());
        FUZZ_CHECK(false);
    }
    return true;
}

template <const Date& (Date::*member)(const String&)>
bool assignWith(Date& d, const String& text) {
    try {
        const Date& result = (d.*member)(text);
        FUZZ_CHECK(&result == &d);
        return true;
    } catch (const QuillonException&) {
    } catch (const IndexOutOfRange&) {
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    korvane_fuzz::useMachineZone();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const String input = korvane_fuzz::text(std::string(reinterpret_cast<const char*>(data), size));

    // UTCTime holds years 1950..2049 of the UTC moment; GeneralizedTime four
    // digits; the RFC 822 writer any year it can print as a positive number.
    check(input, [](const String& s) { return Date::makeUTCTime(s); },
          [](const Date& d) { return d.toUTCTime(); }, 29, false, 1950, 2049,
          &assignWith<&Date::fromUTCTime>);
    check(input, [](const String& s) { return Date::makeGeneralizedTime(s); },
          [](const Date& d) { return d.toGeneralizedTime(); }, 28, false, 1, 9999,
          &assignWith<&Date::fromGeneralizedTime>);
    check(input, [](const String& s) { return Date::makeRFC822Format(s); },
          [](const Date& d) { return d.toRFC822Format(); }, 22, true, 0, 0x7fffffff,
          &assignWith<&Date::fromRFC822Format>);
    return 0;
}
