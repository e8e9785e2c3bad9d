// Real data: the validity dates of the certificates in the machine's CA
// store, read by OpenSSL and by the library's ASN.1 time readers.
#include <gtest/gtest.h>

#include <dirent.h>
#include <openssl/asn1.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "time/TimeTestSupport.h"

using namespace Korvane;
using korvane_test::fieldsOf;
using korvane_test::str;

namespace {

const char* const kStore = "/etc/ssl/certs";

struct ValidityTime {
    std::string file;
    int type;  // V_ASN1_UTCTIME or V_ASN1_GENERALIZEDTIME
    std::string text;
    long long instant;  // by OpenSSL
};

void collect(const std::string& file, const ASN1_TIME* time, std::vector<ValidityTime>& out) {
    tm fields{};
    if (time == nullptr || ASN1_TIME_to_tm(time, &fields) != 1) return;
    const unsigned char* data = ASN1_STRING_get0_data(time);
    const int length = ASN1_STRING_length(time);
    out.push_back({file, ASN1_STRING_type(time),
                   std::string(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length)),
                   static_cast<long long>(timegm(&fields))});
}

std::vector<ValidityTime> readStore() {
    std::vector<ValidityTime> times;
    DIR* directory = opendir(kStore);
    if (directory == nullptr) return times;
    while (const dirent* entry = readdir(directory)) {
        const std::string name = entry->d_name;
        const std::string suffix = name.size() > 4 ? name.substr(name.size() - 4) : "";
        FILE* file = suffix == ".pem" || suffix == ".crt"
                         ? std::fopen((std::string(kStore) + "/" + name).c_str(), "r") : nullptr;
        if (file == nullptr) continue;
        while (X509* certificate = PEM_read_X509(file, nullptr, nullptr, nullptr)) {
            collect(name, X509_get0_notBefore(certificate), times);
            collect(name, X509_get0_notAfter(certificate), times);
            X509_free(certificate);
        }
        std::fclose(file);
    }
    closedir(directory);
    return times;
}

// In the hour before GMT's summer time ends, the library's UTC-to-GMT
// conversion and its reverse do not meet (02:xx UTC becomes 03:xx, which is
// no longer summer time), so an instant there is compared by fields only.
bool inGmtFallBackHour(long long instant) {
    const Date utc(static_cast<long>(instant), TimeZone::UTC);
    if (utc.getYear() < 1970 || utc.getYear() > 2037 || utc.getMonth() != 9) return false;
    if (utc.getDayOfWeek() != Date::SUNDAY || utc.getDay() + 7 <= 31) return false;
    return utc.getHour() == 2;
}

}  // namespace

TEST(CertificateTimesTest, ReadersAgreeWithOpenSSLOnTheCAStore) {
    const std::vector<ValidityTime> times = readStore();
    if (times.empty()) GTEST_SKIP() << "no certificates readable in " << kStore;
    int fallBackHours = 0;
    for (const ValidityTime& t : times) {
        const std::string context = t.file + ": " + t.text;
        const bool isUTC = t.type == V_ASN1_UTCTIME;
        const String text(t.text.c_str());
        const Date read = isUTC ? Date::makeUTCTime(text) : Date::makeGeneralizedTime(text);
        EXPECT_EQ(korvane_test::zoneOf(read), "GMT") << context;
        // The same instant put into GMT from the seconds OpenSSL found.
        EXPECT_EQ(fieldsOf(read), fieldsOf(Date(static_cast<long>(t.instant), TimeZone::GMT)))
            << context;
        if (inGmtFallBackHour(t.instant)) {
            ++fallBackHours;
            continue;
        }
        if (read.getYear() >= 1970 && read.getYear() <= 2037) {
            EXPECT_EQ(read.getEpochSecs(true), static_cast<long>(t.instant)) << context;
        }
        // DER writes both types in the canonical form the writers produce.
        EXPECT_EQ(str(isUTC ? read.toUTCTime() : read.toGeneralizedTime()), t.text) << context;
    }
    std::printf("%zu validity times, %d in GMT's fall-back hour\n", times.size(), fallBackHours);
}
