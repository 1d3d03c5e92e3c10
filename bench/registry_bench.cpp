// The registry work every run does: obtain the embedded listing, parse it
// into the registry map, look one address up.

#include <benchmark/benchmark.h>

#include <sstream>

#include "registry/csv_line_reader.h"
#include "registry/lookup.h"
#include "registry/resource.h"

namespace {

void BM_LoadResourceData(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(hexalune::load_resource_data());
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(hexalune::load_resource_data().size()));
}
BENCHMARK(BM_LoadResourceData)->Unit(benchmark::kMicrosecond);

void BM_ParseOuiDatabase(benchmark::State& state) {
    const std::string listing = hexalune::load_resource_data();
    std::ostringstream report;
    for (auto _ : state) benchmark::DoNotOptimize(hexalune::parse_oui_database(listing, report));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(listing.size()));
}
BENCHMARK(BM_ParseOuiDatabase)->Unit(benchmark::kMillisecond);

void BM_SplitCsvLine(benchmark::State& state) {
    const std::string plain =
        "MA-L,10E992,INGRAM MICRO SERVICES,100 CHEMIN DE BAILLOT MONTAUBAN  FR 82000 \r";
    const std::string quoted =
        "MA-L,286FB9,\"Nokia Shanghai Bell Co., Ltd.\",\"No.388 Ning Qiao Road,Jin Qiao Pudong "
        "Shanghai Shanghai   CN 201206 \"";
    const std::string& line = state.range(0) == 0 ? plain : quoted;
    for (auto _ : state) benchmark::DoNotOptimize(hexalune::split_csv_line(line));
}
BENCHMARK(BM_SplitCsvLine)->Arg(0)->Arg(1);

void BM_LookupOuiInfo(benchmark::State& state) {
    std::ostringstream report;
    const hexalune::RegistryMap registry =
        hexalune::parse_oui_database(hexalune::load_resource_data(), report);
    for (auto _ : state) {
        benchmark::DoNotOptimize(hexalune::lookup_oui_info("ac:de:48:00:00:80", registry));
    }
}
BENCHMARK(BM_LookupOuiInfo);

}  // namespace
