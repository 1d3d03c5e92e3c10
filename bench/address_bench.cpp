// The address side of a run: validation, parsing, every rendering and the
// written report.

#include <benchmark/benchmark.h>

#include <sstream>

#include "address_report.h"
#include "notation/eui64.h"
#include "notation/parse.h"
#include "notation/render.h"

namespace {

const hexalune::Bytes kMac = {0x00, 0x80, 0x10, 0xa4, 0x00, 0x0c};

void BM_IsValidMac(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(hexalune::is_valid_mac("00:80:10:A4:00:0C"));
}
BENCHMARK(BM_IsValidMac);

void BM_ParseMac(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(hexalune::parse_mac("00:80:10:A4:00:0C"));
}
BENCHMARK(BM_ParseMac);

void BM_Renderings(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(hexalune::to_hex(kMac, true));
        benchmark::DoNotOptimize(hexalune::to_bit_reversed(kMac));
        benchmark::DoNotOptimize(hexalune::to_dot_notation(kMac));
        benchmark::DoNotOptimize(hexalune::to_byte_string(kMac));
        benchmark::DoNotOptimize(hexalune::to_integer(kMac));
        benchmark::DoNotOptimize(hexalune::to_base16_integer(kMac));
    }
}
BENCHMARK(BM_Renderings);

void BM_Derivations(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(hexalune::convert_to_eui64(kMac));
        benchmark::DoNotOptimize(hexalune::to_contained_mac48(kMac));
        benchmark::DoNotOptimize(hexalune::to_contained_eui48(kMac));
        benchmark::DoNotOptimize(hexalune::to_contained_eui48_ul(kMac));
        benchmark::DoNotOptimize(hexalune::to_ipv6_link_local(kMac));
    }
}
BENCHMARK(BM_Derivations);

void BM_AddressReport(benchmark::State& state) {
    for (auto _ : state) {
        std::ostringstream out;
        hexalune::write_address_report(out, kMac);
        benchmark::DoNotOptimize(out.str());
    }
}
BENCHMARK(BM_AddressReport);

}  // namespace
