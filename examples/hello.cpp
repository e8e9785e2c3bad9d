// A first look at Korvane: text, bytes and a stacked exception report.
#include <iostream>

#include "korvane/Korvane.h"

using namespace Korvane;

static void parseSerial(const String& text) {
    if (text.toInt() == 0)
        throw QuillonException(22, "parseSerial(const String& text)", String("not a serial number: ") + text);
}

int main() {
    String subject("CN=Example Root, O=Korvane");
    std::cout << "Subject:        " << subject << '\n';
    const String& readOnly = subject;  // the const toUpper returns a copy
    std::cout << "Upper case:     " << readOnly.toUpper() << '\n';
    std::cout << "Common name:    " << subject.substring("CN=", ",") << '\n';

    ByteArray der("\x30\x03\x02\x01\x05", 5u);
    std::cout << "DER bytes:      " << der.length() << " bytes, integer tag at "
              << der.find(ByteArray("\x02", 1u)) << '\n';

    try {
        try {
            parseSerial("12ab");
        } catch (const Exception& inner) {
            throw QuillonException(21, "readCertificate()", inner, String("while reading the serial"));
        }
    } catch (const Exception& failure) {
        std::cout << "Exception report:" << failure.toString(0);
    }
    return 0;
}
