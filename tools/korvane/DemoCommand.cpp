// korvane demo: a short walk through the library's main uses.
#include <cstdio>
#include <iostream>

#include "Command.h"
#include "korvane/Korvane.h"

using namespace Korvane;

namespace korvane_tool {

namespace {
void section(const char* title) { std::cout << "\n== " << title << '\n'; }

void demoText() {
    section("Text and bytes");
    const String subject("CN=Example Root, O=Korvane");
    std::cout << "subject          " << subject << '\n';
    std::cout << "common name      " << subject.substring("CN=", ",") << '\n';
    std::cout << "upper case       " << subject.toUpper() << '\n';
    const ByteArray der("\x30\x03\x02\x01\x05", 5u);
    std::cout << "DER INTEGER at   " << der.find(ByteArray("\x02", 1u)) << " of " << der.length()
              << " bytes\n";
}

void demoDates() {
    section("Certificate validity dates");
    const Date notBefore = Date::makeUTCTime("941115131231Z");
    std::cout << "UTCTime 941115131231Z   " << notBefore.toRFC822Format() << '\n';
    Date eastern(notBefore);
    eastern.setTimeZone(TimeZone::EST);
    std::cout << "in EST                  " << eastern.toRFC822Format() << '\n';
    std::cout << "as GeneralizedTime      " << notBefore.toGeneralizedTime() << '\n';
    std::cout << "epoch seconds           " << notBefore.getEpochSecs(true) << '\n';
    try {
        Date::makeUTCTime("9411151312");
        (void)Date::makeUTCTime("94111513");
    } catch (const Exception& e) {
        std::cout << "a malformed UTCTime gives:" << e.toString(0);
    }
}

void demoBigNumbers() {
    section("Modular exponentiation");
    // A toy RSA key: n = 61 * 53, e = 17, d = e^-1 mod (60 * 52).
    const BigNumber n = BigNumber::fromBase("3233", 10);
    const BigNumber e(17);
    const BigNumber d = e.mulInv(BigNumber::fromBase("3120", 10));
    const BigNumber message(65);
    const BigNumber cipher = message.expMod(e, n);
    std::cout << "d = 17^-1 mod 3120        " << d.toBase(10) << '\n';
    std::cout << "65^17 mod 3233            " << cipher.toBase(10) << '\n';
    std::cout << "and back: c^d mod 3233    " << cipher.expMod(d, n).toBase(10) << '\n';
    const BigNumber big = BigNumber::fromBase("FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", 16);
    std::cout << "2^128 - 1 in decimal      " << big.toBase(10) << '\n';
}

void demoRegex() {
    section("A regular expression");
    RegularExpression serials("([0-9A-F][0-9A-F]):?", "serial 0A:1B:2C");
    std::cout << "pattern ([0-9A-F][0-9A-F]):? over \"serial 0A:1B:2C\" finds";
    while (serials.hasExpression()) std::cout << ' ' << serials.nextMatch(1);
    std::cout << '\n';
    std::cout << "the glob *.pem becomes     " << RegularExpression::glob2RegularExpression("*.pem") << '\n';
}

void demoBitString() {
    section("A bit string");
    // keyUsage digitalSignature | keyEncipherment: content 05 A0.
    const ByteArray content("\xA0", 1u);
    const unsigned int unused = System::calcNumberOfInsignificantBits(content);
    const BoolArray usage(content, unused, false);
    std::cout << "keyUsage bits A0, " << unused << " unused    " << System::toBitString(content, unused)
              << " (" << usage.length() << " bits)\n";
    std::cout << "DER length of 300         ";
    const ByteArray length = System::getDEREncodedLength(300);
    for (unsigned int i = 0; i < length.length(); ++i) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", length.getData()[i]);
        std::cout << (i ? " " : "") << pair;
    }
    std::cout << "\nOID 1.2.840.113549 has   " << IntArray(String("1.2.840.113549")).length() << " arcs\n";
}

void demoException() {
    section("An exception report");
    try {
        try {
            String broken(static_cast<const char*>(nullptr));
        } catch (const Exception& inner) {
            throw QuillonException(22, "readCertificate(const ByteArray& der)", inner,
                                   String("the subject name was missing"));
        }
    } catch (const Exception& e) {
        std::cout << e.toString(0);
    }
}

int runDemo(const Arguments& arguments) {
    arguments.expectPositional(0, 0);
    std::cout << "Korvane demonstration\n";
    demoText();
    demoDates();
    demoBigNumbers();
    demoRegex();
    demoBitString();
    demoException();
    return 0;
}
}  // namespace

std::vector<Command> demoCommands() {
    return {{"demo", "a short walk through the library's main uses",
             "usage: korvane demo\n\nShows text and bytes, dates, big numbers, a regular expression,\n"
             "a bit string and an exception report.\n",
             runDemo, {}, {}}};
}

}  // namespace korvane_tool
