// korvane time TEXT [--zone NAME] [--as NOTATION]
// korvane format PATTERN [EPOCH] [--zone NAME]
#include <cctype>
#include <iostream>

#include "Command.h"
#include "korvane/Date.h"
#include "korvane/TimeZone.h"

using namespace Korvane;

namespace korvane_tool {

namespace {
// A zone abbreviation the library knows; unknown names would otherwise fall
// back to GMT silently, which a command line should not do.
const TimeZone& zoneNamed(const std::string& name) {
    const TimeZone& zone = TimeZone::getTimeZone(String(name.c_str()));
    if (&zone == &TimeZone::GMT && name != "GMT" && name != "BST")
        throw UsageError("unknown time zone " + name + " (use an abbreviation such as EST or JST; see --help)");
    return zone;
}

enum class Notation { UTCTime, GeneralizedTime, RFC822 };

// A text with letters is RFC 822; otherwise the run of leading digits tells
// the ASN.1 notation: 10 or 12 digits are UTCTime (two-digit year), 14 or a
// fraction are GeneralizedTime. Twelve digits could be either; UTCTime with
// seconds is what certificates carry, so it wins unless --as says otherwise.
Notation detect(const std::string& text) {
    std::size_t digits = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) ++digits;
    for (char c : text) {
        if (std::isalpha(static_cast<unsigned char>(c)) && c != 'Z') return Notation::RFC822;
    }
    if (digits < text.size() && text[digits] == '.') return Notation::GeneralizedTime;
    if (digits == 10 || digits == 12) return Notation::UTCTime;
    if (digits == 14) return Notation::GeneralizedTime;
    return digits > 12 ? Notation::GeneralizedTime : Notation::UTCTime;
}

Notation notationNamed(const std::string& name) {
    if (name == "utc" || name == "utctime") return Notation::UTCTime;
    if (name == "generalized" || name == "generalizedtime") return Notation::GeneralizedTime;
    if (name == "rfc822") return Notation::RFC822;
    throw UsageError("unknown notation " + name + " (utc, generalized or rfc822)");
}

std::string text(const String& s) { return std::string(s.getData(), s.length()); }

int runTime(const Arguments& arguments) {
    arguments.expectPositional(1, 1);
    const std::string input = arguments.positional()[0];
    const Notation notation =
        arguments.has("--as") ? notationNamed(arguments.value("--as")) : detect(input);
    Date date;
    switch (notation) {
        case Notation::UTCTime: date = Date::makeUTCTime(String(input.c_str())); break;
        case Notation::GeneralizedTime: date = Date::makeGeneralizedTime(String(input.c_str())); break;
        case Notation::RFC822: date = Date::makeRFC822Format(String(input.c_str())); break;
    }
    if (arguments.has("--zone")) date.setTimeZone(zoneNamed(arguments.value("--zone")));
    const char* names[] = {"UTCTime", "GeneralizedTime", "RFC 822"};
    std::cout << "read as          " << names[static_cast<int>(notation)] << '\n'
              << "RFC 822          " << text(date.toRFC822Format()) << '\n'
              << "UTCTime          " << text(date.toUTCTime()) << '\n'
              << "GeneralizedTime  " << text(date.toGeneralizedTime()) << '\n'
              << "epoch seconds    " << date.getEpochSecs(true) << '\n'
              << "daylight saving  " << (date.inDaylightSavingTime() ? "yes" : "no") << '\n';
    return 0;
}

int runFormat(const Arguments& arguments) {
    arguments.expectPositional(1, 2);
    const TimeZone& zone =
        arguments.has("--zone") ? zoneNamed(arguments.value("--zone")) : TimeZone::GMT;
    Date date = Date::now(zone);
    if (arguments.positional().size() == 2)
        date = Date(static_cast<long>(parseInteger(arguments.positional()[1], "EPOCH")), zone);
    std::cout << text(date.getFormat(String(arguments.positional()[0].c_str()))) << '\n';
    return 0;
}
}  // namespace

std::vector<Command> timeCommands() {
    return {
        {"time", "read a UTCTime, GeneralizedTime or RFC 822 date and print it in all three",
         "usage: korvane time TEXT [--zone NAME] [--as utc|generalized|rfc822]\n\n"
         "Reads TEXT in whichever notation it is written (ten or twelve digits are\n"
         "UTCTime, fourteen or a fraction GeneralizedTime, a month name RFC 822), and\n"
         "prints it in the three notations with its epoch seconds and whether\n"
         "daylight-saving time applies. --zone converts it to a predefined zone\n"
         "(MIT HST AST PST PNT MST CST EST IET PRT CNT AGT BET CAT GMT ECT EET ART EAT\n"
         "MET NET PLT IST BST VST CTT JST ACT AET SST NST UTC).\n",
         runTime, {"--zone", "--as"}, {}},
        {"format", "print a date through a %-directive pattern",
         "usage: korvane format PATTERN [EPOCH] [--zone NAME]\n\n"
         "Prints the moment EPOCH (seconds since 1970, default now) in the zone NAME\n"
         "(default GMT) through PATTERN, e.g. \"%a, %d %b %Y %H:%M:%S\".\n",
         runFormat, {"--zone"}, {}},
    };
}

}  // namespace korvane_tool
