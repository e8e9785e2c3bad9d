// Real data: the validity dates of the certificates in the machine's CA
// store, read by OpenSSL and by the library's ASN.1 time readers.

#include <dirent.h>
#include <openssl/asn1.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <ctime>

#include "time/TimeTestSupport.h"

using namespace Korvane;
using namespace korvane_test;

namespace {

// In the hour before GMT's summer time ends, the library's UTC-to-GMT
// conversion and its reverse do not meet (02:xx UTC becomes 03:xx, which is
// no longer summer time), so an instant there is compared by fields only.
bool inGmtFallBackHour(const Date& utc) {
    return utc.getYear() >= 1970 && utc.getYear() <= 2037 && utc.getMonth() == 9 &&
           utc.getDayOfWeek() == Date::SUNDAY && utc.getDay() + 7 > 31 && utc.getHour() == 2;
}

void check(const std::string& file, const ASN1_TIME* time, int& count) {
    tm fields{};
    if (time == nullptr || ASN1_TIME_to_tm(time, &fields) != 1) return;
    ++count;
    const std::string text(reinterpret_cast<const char*>(ASN1_STRING_get0_data(time)),
                           static_cast<std::size_t>(ASN1_STRING_length(time)));
    const long instant = static_cast<long>(timegm(&fields));
    const bool isUTC = ASN1_STRING_type(time) == V_ASN1_UTCTIME;
    const Date read = isUTC ? Date::makeUTCTime(String(text.c_str()))
                            : Date::makeGeneralizedTime(String(text.c_str()));
    const std::string context = file + ": " + text;
    EXPECT_EQ(korvane_test::zoneOf(read), "GMT") << context;
    EXPECT_EQ(fieldsOf(read), fieldsOf(Date(instant, TimeZone::GMT))) << context;
    if (inGmtFallBackHour(Date(instant, TimeZone::UTC))) return;
    if (read.getYear() >= 1970 && read.getYear() <= 2037) {
        EXPECT_EQ(read.getEpochSecs(true), instant) << context;
    }
    // DER writes both types in the canonical form the writers produce.
    EXPECT_EQ(str(isUTC ? read.toUTCTime() : read.toGeneralizedTime()), text) << context;
}

}  // namespace

TEST(CertificateTimesTest, ReadersAgreeWithOpenSSLOnTheCAStore) {
    const std::string store = "/etc/ssl/certs";
    int count = 0;
    if (DIR* directory = opendir(store.c_str())) {
        while (const dirent* entry = readdir(directory)) {
            const std::string name = entry->d_name;
            const std::string suffix = name.size() > 4 ? name.substr(name.size() - 4) : "";
            FILE* file = suffix == ".pem" || suffix == ".crt"
                             ? std::fopen((store + "/" + name).c_str(), "r") : nullptr;
            if (file == nullptr) continue;
            while (X509* certificate = PEM_read_X509(file, nullptr, nullptr, nullptr)) {
                check(name, X509_get0_notBefore(certificate), count);
                check(name, X509_get0_notAfter(certificate), count);
                X509_free(certificate);
            }
            std::fclose(file);
        }
        closedir(directory);
    }
    if (count == 0) GTEST_SKIP() << "no certificates readable in " << store;
    std::printf("%d validity times checked\n", count);
}
