// korvane error LIBRARY NUMBER | korvane error --list LIBRARY
#include <cctype>
#include <iostream>

#include "Command.h"
#include "korvane/Exception.h"

using Korvane::Exception;

namespace korvane_tool {

namespace {
const struct {
    const char* name;
    Exception::libraries value;
} kLibraries[] = {
    {"LIB_ASN1", Exception::LIB_ASN1},
    {"LIB_X509", Exception::LIB_X509},
    {"LIB_DER", Exception::LIB_DER},
    {"LIB_CRYPTO", Exception::LIB_CRYPTO},
    {"LIB_MAIL", Exception::LIB_MAIL},
    {"LIB_PKCS7", Exception::LIB_PKCS7},
    {"LIB_HTTP", Exception::LIB_HTTP},
    {"LIB_SOCKETS", Exception::LIB_SOCKETS},
    {"LIB_SIGNED_DATA", Exception::LIB_SIGNED_DATA},
    {"LIB_PKCS8", Exception::LIB_PKCS8},
    {"LIB_PKIX", Exception::LIB_PKIX},
    {"LIB_CRMF", Exception::LIB_CRMF},
    {"LIB_PKIX_TRANSPORT", Exception::LIB_PKIX_TRANSPORT},
    {"LIB_CERT_POLICY", Exception::LIB_CERT_POLICY},
    {"LIB_THREADS", Exception::LIB_THREADS},
    {"LIB_SCEP_TRANSPORT", Exception::LIB_SCEP_TRANSPORT},
    {"LIB_QUILLON", Exception::LIB_QUILLON},
    {"LIB_VAULT", Exception::LIB_VAULT},
    {"LIB_LDAP_MAPPING", Exception::LIB_LDAP_MAPPING},
    {"LIB_LDAP_MAPPING_2", Exception::LIB_LDAP_MAPPING_2},
    {"LIB_PSE", Exception::LIB_PSE},
    {"LIB_OCSP", Exception::LIB_OCSP},
    {"LIB_PKCS12", Exception::LIB_PKCS12},
    {"LIB_CERT_DIRECTORY", Exception::LIB_CERT_DIRECTORY},
    {"LIB_SCEP", Exception::LIB_SCEP},
    {"LIB_PLATFORM", Exception::LIB_PLATFORM},
    {"LIB_UNNAMED_29", Exception::LIB_UNNAMED_29},
    {"LIB_XMLDSIG", Exception::LIB_XMLDSIG},
    {"LIB_PKCS11", Exception::LIB_PKCS11},
    {"LIB_SSL", Exception::LIB_SSL},
    {"LIB_SIGNTEXT", Exception::LIB_SIGNTEXT},
};

// Accepts the enumerator ("LIB_QUILLON"), its name without the prefix in any
// case ("quillon"), or the numeric value ("17").
Exception::libraries parseLibrary(const std::string& text) {
    std::string upper;
    for (char c : text) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper.rfind("LIB_", 0) != 0) upper = "LIB_" + upper;
    for (const auto& library : kLibraries) {
        if (upper == library.name) return library.value;
    }
    if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0]))) {
        const long long value = parseInteger(text, "LIBRARY");
        for (const auto& library : kLibraries) {
            if (value == library.value) return library.value;
        }
    }
    throw UsageError("unknown library " + text + " (try LIB_QUILLON or 17)");
}

// The catalog's largest table has fewer than a hundred entries; tables may
// skip numbers, so the listing scans a generous range and shows what exists.
constexpr unsigned int kScanLimit = 256;

int runError(const Arguments& arguments) {
    const Exception probe(Exception::LIB_QUILLON, 0, "korvane error", Korvane::String());
    if (arguments.has("--list")) {
        arguments.expectPositional(1, 1);
        const Exception::libraries library = parseLibrary(arguments.positional()[0]);
        for (unsigned int number = 0; number < kScanLimit; ++number) {
            const std::string message = text(probe.getErrorText(number, library));
            if (message != "Unknown Error") std::cout << number << '\t' << message << '\n';
        }
        return 0;
    }
    arguments.expectPositional(2, 2);
    const Exception::libraries library = parseLibrary(arguments.positional()[0]);
    const long long number = parseInteger(arguments.positional()[1], "NUMBER");
    if (number < 0 || number > 0xFFFFFFFFLL) throw UsageError("NUMBER out of range");
    const std::string message = text(probe.getErrorText(static_cast<unsigned int>(number), library));
    std::cout << message << '\n';
    return message == "Unknown Error" ? 1 : 0;
}
}  // namespace

std::vector<Command> errorCommands() {
    return {{"error", "print a catalog message, or a library's whole table",
             "usage: korvane error LIBRARY NUMBER\n"
             "       korvane error --list LIBRARY\n\n"
             "LIBRARY is an enumerator (LIB_QUILLON), its short name (quillon) or its value (17).\n"
             "Exit status 1 when the catalog has no message for NUMBER.\n",
             runError, {}, {"--list"}}};
}

}  // namespace korvane_tool
