// korvane time [TEXT | -] [--zone NAME] [--as NOTATION] [--to NOTATION]
// korvane format PATTERN [EPOCH] [--zone NAME]
#include <cctype>
#include <iostream>

#include "Command.h"
#include "LineInput.h"
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

// What one converted date is printed as: the whole table, or one line.
enum class Output { Table, RFC822, UTCTime, GeneralizedTime, EpochSeconds };

Output outputNamed(const std::string& name) {
    if (name == "epoch") return Output::EpochSeconds;
    if (name == "rfc822") return Output::RFC822;
    if (name == "utc" || name == "utctime") return Output::UTCTime;
    if (name == "generalized" || name == "generalizedtime") return Output::GeneralizedTime;
    throw UsageError("unknown notation " + name + " (utc, generalized, rfc822 or epoch)");
}

// The options of one run, checked before any date is read so that a wrong
// option is a wrong command line rather than a failure of every line.
struct Settings {
    bool notationGiven = false;
    Notation notation = Notation::UTCTime;
    const TimeZone* zone = nullptr;
    Output output = Output::Table;
};

void print(const std::string& input, const Settings& settings) {
    const Notation notation = settings.notationGiven ? settings.notation : detect(input);
    Date date;
    switch (notation) {
        case Notation::UTCTime: date = Date::makeUTCTime(String(input.c_str())); break;
        case Notation::GeneralizedTime: date = Date::makeGeneralizedTime(String(input.c_str())); break;
        case Notation::RFC822: date = Date::makeRFC822Format(String(input.c_str())); break;
    }
    if (settings.zone != nullptr) date.setTimeZone(*settings.zone);
    switch (settings.output) {
        case Output::RFC822: std::cout << text(date.toRFC822Format()) << '\n'; return;
        case Output::UTCTime: std::cout << text(date.toUTCTime()) << '\n'; return;
        case Output::GeneralizedTime: std::cout << text(date.toGeneralizedTime()) << '\n'; return;
        case Output::EpochSeconds: std::cout << date.getEpochSecs(true) << '\n'; return;
        case Output::Table: break;
    }
    const char* names[] = {"UTCTime", "GeneralizedTime", "RFC 822"};
    std::cout << "read as          " << names[static_cast<int>(notation)] << '\n'
              << "RFC 822          " << text(date.toRFC822Format()) << '\n'
              << "UTCTime          " << text(date.toUTCTime()) << '\n'
              << "GeneralizedTime  " << text(date.toGeneralizedTime()) << '\n'
              << "epoch seconds    " << date.getEpochSecs(true) << '\n'
              << "daylight saving  " << (date.inDaylightSavingTime() ? "yes" : "no") << '\n';
}

int runTime(const Arguments& arguments) {
    Settings settings;
    if (arguments.has("--as")) {
        settings.notationGiven = true;
        settings.notation = notationNamed(arguments.value("--as"));
    }
    if (arguments.has("--zone")) settings.zone = &zoneNamed(arguments.value("--zone"));
    if (arguments.has("--to")) settings.output = outputNamed(arguments.value("--to"));
    Settings lineSettings = settings;
    // A table per line would lose the line structure; line mode prints one
    // converted date a line.
    if (lineSettings.output == Output::Table) lineSettings.output = Output::RFC822;
    return runOnInput(arguments, "time", [&](const std::string& input, bool oneLine) {
        print(input, oneLine ? lineSettings : settings);
    });
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
         "usage: korvane time [TEXT | -] [--zone NAME] [--as utc|generalized|rfc822]\n"
         "                    [--to utc|generalized|rfc822|epoch]\n\n"
         "Reads TEXT in whichever notation it is written (ten or twelve digits are\n"
         "UTCTime, fourteen or a fraction GeneralizedTime, a month name RFC 822), and\n"
         "prints it in the three notations with its epoch seconds and whether\n"
         "daylight-saving time applies; --to prints only the one notation, or the\n"
         "epoch seconds. --zone converts it to a predefined zone\n"
         "(MIT HST AST PST PNT MST CST EST IET PRT CNT AGT BET CAT GMT ECT EET ART EAT\n"
         "MET NET PLT IST BST VST CTT JST ACT AET SST NST UTC).\n\n"
         "With - or no TEXT, reads one date a line from standard input (blanks around\n"
         "it ignored) and prints one converted date a line: the --to notation, RFC 822\n"
         "by default.\n" + failedLinesHelp("time"),
         runTime, {"--zone", "--as", "--to"}, {}},
        {"format", "print a date through a %-directive pattern",
         "usage: korvane format PATTERN [EPOCH] [--zone NAME]\n\n"
         "Prints the moment EPOCH (seconds since 1970, default now) in the zone NAME\n"
         "(default GMT) through PATTERN, e.g. \"%a, %d %b %Y %H:%M:%S\".\n",
         runFormat, {"--zone"}, {}},
    };
}

}  // namespace korvane_tool
