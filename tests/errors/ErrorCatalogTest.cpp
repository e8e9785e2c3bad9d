#include "errors/ErrorCatalog.h"

#include <gtest/gtest.h>

#include <string>

using Korvane::internal::CatalogTable;
using Korvane::internal::catalogTable;
using Korvane::internal::catalogText;

namespace {

// The text, or a marker that reads well in a failure message.
std::string textOf(int library, unsigned int number) {
    const char* text = catalogText(library, number);
    return text == nullptr ? std::string("<none>") : std::string(text);
}

}  // namespace

TEST(ErrorCatalogTest, OwnTableEveryEntry) {
    const char* const expected[] = {
        "Unable to perform file operation",
        "Index out of range",
        "Regular expression parse failed - sub expression null",
        "Regular expression parse failed - Internal regexp error, expression is NULL",
        "Parameter is NULL",
        "Regular expression is too big",
        "Out of memory",
        "Too many ()'s",
        "Unterminated ()'s",
        "Internal error",
        "*+ operand could be empty",
        "Nested *?+",
        "Invalid [] range",
        "Unmatched []'s",
        "Internal error: \\0|) unexpected",
        "?+* Follows nothing",
        "Trailing \\",
        "Internal error: _tcscspn 0",
        "Corrupted internal regexp",
        "Corrupted internal pointers",
        "Internal error, bad call of regrepeat",
        "No more tokens",
        "Data format invalid",
        "The number of insignificant bits should not be more than 7",
        "Mutex (mutual exclusion) could not be initialised",
        "Mutex (mutual exclusion) could not be locked",
        "Mutex (mutual exclusion) could not be unlocked",
        "The Date must be greater than 1900 for toStructTM to work",
        "Generalized Time values must be of the form \"YYYYMMDDhhmm\" with an optional seconds field and a "
        "TimeZone encoding, see ASN1GeneralizedTime for a full breakdown",
        "UTC Time values must be of the form \"YYMMDDhhmm\" with an optional seconds field and a TimeZone "
        "encoding, see ASN1UTCTime for a full breakdown",
        "No more data left to read in from InputStream",
        "You can't push back more data than you're already read off an InputStream",
        "The file is read only",
        "File path not found",
    };
    const unsigned int count = sizeof expected / sizeof expected[0];
    ASSERT_EQ(count, 34u);
    for (unsigned int n = 0; n < count; ++n) EXPECT_EQ(textOf(17, n), expected[n]) << "entry " << n;
    EXPECT_EQ(catalogText(17, count), nullptr);
}

struct TableExpectation {
    int library;
    unsigned int size;
    unsigned int firstNumber;
    const char* first;
    const char* last;
};

TEST(ErrorCatalogTest, FirstAndLastEntryAndSizeOfEveryTable) {
    const TableExpectation expected[] = {
        {0, 34, 0, "The ASN.1 Any Object has not yet been set",
         "Can't change padding algorithm for that signature OID"},
        {2, 88, 0, "Decoding failed", "This method has not been implemented for WTLS certificates"},
        {3, 24, 0, "ASN1Object parameter is NULL",
         "You can not construct an ASN1IOUObject from a tagged ASN1Object, use ASN1IOUImplicit / ExplicitObject instead"},
        {4, 73, 0, "Failed to hash passphrase", "No data supplied. Cannot cipher no bytes."},
        {5, 17, 0, "Could not open filename for input", "Badly formed EMail Header"},
        {6, 13, 0, "See previous exception",
         "Can only obtain a Signature algorithm from a signedData if a certificate is provided, this problem may "
         "be the result of trying to verify a Sentrel through the Vault with a key"},
        {7, 38, 0, "See previous exception", "HTTP request failed"},
        {8, 21, 0, "Could not open filename for input", "Unable to perform read on socket"},
        {9, 10, 0, "See previous exception", "Bad parameter"},
        {10, 3, 0, "See previous exception", "Unable to generate PBESessionKey for encrypting the private key"},
        {11, 13, 1, "Can't return value..it is not set", "Private Key not allowed in cross certification request"},
        {12, 12, 0, "Attempt to USE Deprecated function incorrectly", "Unexpected Control OID"},
        {13, 5, 0, "No Data on Socket", "Failed to decode/encode message"},
        {14, 38, 0, "See previous exception", "Policy interface already exists."},
        {15, 41, 0, "See previous exception", "Thread could not set specific key"},
        {16, 15, 0, "See previous exception", "Failed to find PKCSReq for transaction ID"},
        {17, 34, 0, "Unable to perform file operation", "File path not found"},
        {18, 89, 0, "See previous exception",
         "The certificate specified did not have the key usage required by the signable"},
        {19, 4, 0, "See previous exception", "No permission to generate node for object: common name(cn)"},
        {21, 3, 0, "See previous exception", "ObjectClass mapping not found"},
        {22, 31, 0, "See previous exception", "This certificate is already associated with (another|the) key"},
        {23, 14, 0, "See previous exception", "Response Status: unauthorized - Request Authorized"},
        {24, 14, 0, "See previous exception", "No parent device available"},
        {25, 13, 0, "See previous exception", "CertID not created: Certificate has not been issued by CA Certificate"},
        {27, 23, 0, "See previous exception", "Failed to Decode IssuerAndSubject expected two components"},
        {28, 4, 0, "See previous exception", "This operation permitted on UNIX platforms only"},
        {29, 1, 0, "See previous exception", "See previous exception"},
        {30, 16, 0, "See previous exception", "Could not get Signer's Certificate"},
        {31, 18, 0, "See previous exception.", "Unable to resolve device name or open file name"},
        {32, 36, 0, "See previous exception.", "Failed to accept a connection on a server socket"},
        {33, 11, 0, "See previous exception.", "Failure in decoding SignText"},
    };
    for (const TableExpectation& e : expected) {
        SCOPED_TRACE("library " + std::to_string(e.library));
        const CatalogTable table = catalogTable(e.library);
        ASSERT_NE(table.entries, nullptr);
        EXPECT_EQ(table.size, e.size);
        EXPECT_EQ(textOf(e.library, e.firstNumber), e.first);
        EXPECT_EQ(textOf(e.library, e.size - 1), e.last);
        EXPECT_EQ(catalogText(e.library, e.size), nullptr);
    }
}

TEST(ErrorCatalogTest, GapsAndOddTextsAreKeptAsTheyStand) {
    for (int library : {1, 20, 26, 34, -1, 1000}) {
        EXPECT_EQ(catalogTable(library).entries, nullptr) << library;
        EXPECT_EQ(catalogText(library, 0), nullptr) << library;
    }
    EXPECT_EQ(catalogText(2, 75), nullptr);  // a number the table skips
    EXPECT_EQ(textOf(2, 76), "The specified signature algorithm is not recognised. Must be in range 0-2.");
    EXPECT_EQ(catalogText(11, 0), nullptr);
    EXPECT_EQ(textOf(32, 20), "Reserved\t");
    EXPECT_EQ(textOf(32, 10), "Reserved ");
    EXPECT_EQ(textOf(8, 5), "Not connectedThe terminator must be non-empty");
    EXPECT_EQ(textOf(0, 16), "unused");
}
