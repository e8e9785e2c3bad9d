// Date and TimeZone beside their peers on the same work: the ASN.1 and
// RFC 822 readers beside OpenSSL's ASN1_TIME_set_string + ASN1_TIME_to_tm,
// zone conversion beside localtime_r under a POSIX rule zone, the RFC 822
// pattern beside strftime, and a Date copy beside a struct tm with its zone
// name. Run with TZ unset or set: the program fixes its own TZ.
#include <benchmark/benchmark.h>
#include <openssl/asn1.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "korvane/Date.h"
#include "korvane/String.h"
#include "korvane/TimeZone.h"

using namespace Korvane;

namespace {

// A rule zone whose standard offset no predefined zone has, so the library's
// zones follow their own rules as they would on most machines.
const char* const kMachineZone = "KRV2:15KRS,M3.2.0,M11.1.0";

struct FixedZone {
    FixedZone() {
        setenv("TZ", kMachineZone, 1);
        tzset();
    }
} fixedZone;

void openSSLParse(benchmark::State& state, const char* text) {
    ASN1_TIME* time = ASN1_TIME_new();
    tm fields{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(ASN1_TIME_set_string(time, text));
        benchmark::DoNotOptimize(ASN1_TIME_to_tm(time, &fields));
    }
    ASN1_TIME_free(time);
}

}  // namespace

// ---- Readers --------------------------------------------------------------------

static void MakeUTCTime(benchmark::State& state) {
    const String text("941115081231Z");
    for (auto _ : state) benchmark::DoNotOptimize(Date::makeUTCTime(text));
}
BENCHMARK(MakeUTCTime);

static void OpenSSLUTCTime(benchmark::State& state) { openSSLParse(state, "941115081231Z"); }
BENCHMARK(OpenSSLUTCTime);

static void MakeGeneralizedTime(benchmark::State& state) {
    const String text("20011231235959Z");
    for (auto _ : state) benchmark::DoNotOptimize(Date::makeGeneralizedTime(text));
}
BENCHMARK(MakeGeneralizedTime);

static void MakeGeneralizedTimeWithFraction(benchmark::State& state) {
    const String text("20011231235959.123Z");
    for (auto _ : state) benchmark::DoNotOptimize(Date::makeGeneralizedTime(text));
}
BENCHMARK(MakeGeneralizedTimeWithFraction);

static void OpenSSLGeneralizedTime(benchmark::State& state) {
    openSSLParse(state, "20011231235959Z");
}
BENCHMARK(OpenSSLGeneralizedTime);

static void MakeRFC822Format(benchmark::State& state) {
    const String text("Tue, 15 Nov 1994 08:12:31 GMT");
    for (auto _ : state) benchmark::DoNotOptimize(Date::makeRFC822Format(text));
}
BENCHMARK(MakeRFC822Format);

// ---- Copy and zone conversion ---------------------------------------------------

static void DateCopy(benchmark::State& state) {
    const Date original(2001, 6, 1, 12, 0, 0, 0, TimeZone::GMT);
    for (auto _ : state) {
        Date copy(original);
        benchmark::DoNotOptimize(&copy);
    }
}
BENCHMARK(DateCopy);

struct TmWithZone {
    tm fields;
    std::string zoneName;
};

static void StructTmWithZoneNameCopy(benchmark::State& state) {
    TmWithZone original{};
    original.zoneName = "Greenwich Mean Time";  // longer than the short-string buffer
    for (auto _ : state) {
        TmWithZone copy(original);
        benchmark::DoNotOptimize(&copy);
    }
}
BENCHMARK(StructTmWithZoneNameCopy);

static void SetTimeZone(benchmark::State& state) {
    Date date(2001, 6, 1, 12, 0, 0, 0, TimeZone::UTC);
    for (auto _ : state) {
        date.setTimeZone(TimeZone::GMT);
        date.setTimeZone(TimeZone::EST);
        benchmark::DoNotOptimize(&date);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(SetTimeZone);

static void LocaltimeR(benchmark::State& state) {
    time_t instant = 993988800;
    tm fields{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(localtime_r(&instant, &fields));
        instant ^= 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(LocaltimeR);

// ---- Formatting -----------------------------------------------------------------

static void GetFormatRFC822(benchmark::State& state) {
    const Date date(1994, 10, 15, 8, 12, 31, 0, TimeZone::EST);
    const String pattern("%a, %d %b %Y %H:%M:%S %z");
    for (auto _ : state) benchmark::DoNotOptimize(date.getFormat(pattern));
}
BENCHMARK(GetFormatRFC822);

static void StrftimeRFC822(benchmark::State& state) {
    tm fields{};
    fields.tm_year = 94;
    fields.tm_mon = 10;
    fields.tm_mday = 15;
    fields.tm_hour = 8;
    fields.tm_min = 12;
    fields.tm_sec = 31;
    fields.tm_wday = 2;
    char text[64];
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::strftime(text, sizeof text, "%a, %d %b %Y %H:%M:%S %Z", &fields));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(StrftimeRFC822);

BENCHMARK_MAIN();
