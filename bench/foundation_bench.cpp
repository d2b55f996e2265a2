// Native figures for the foundation's hot paths: property reads (hit and miss), and the
// parse-then-format round of dates and amounts that every field exit performs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "foundation/clock.h"
#include "foundation/foundation_intl.h"
#include "zarvik/currency_value.h"
#include "zarvik/date_value.h"

namespace {

// Property strings of the demonstration's forms.
const char* const kDemoProperties[] = {
    "value=D\xE9monstrateur Formulaire Zarvik (static);txhpos=center;txvpos=center;ftname=Arial;"
    "ftsize=16;ftbold=true;brdsize=1;brdcol=blue",
    "check=true;remark=Case \xE0 cocher ownerdraw;brdstyle=solid;brdsize=3;brdcol=black;"
    "bkcol=white;txcol=red",
    "type=date;format=dd/mm/yyyy;remark=Saisir une date valide (format jj/mm/aaaa)",
    "type=currency;format=999,88;remark=Saisir un nombre (format 999,99)",
    "length=10;notnull=true;value=1234567890;remark=Champ obligatoire de 10 caract\xE8res maximum",
    "button=ok;value=Fermer;txcol=white;bkcol=red;remark=Ferme le formulaire",
    "remark=Combo box;value1=un;value2=deux;value3=trois",
    "modal=true;bkcol=lightgrey",
};

void PropertyGetHit(benchmark::State& state) {
  for (auto _ : state) {
    for (const char* properties : kDemoProperties) {
      benchmark::DoNotOptimize(ZK_PropertyGetIntl("REMARK", properties));
      benchmark::DoNotOptimize(ZK_PropertyGetIntl("bkcol", properties));
    }
  }
  state.SetItemsProcessed(state.iterations() * 16);
}
BENCHMARK(PropertyGetHit);

void PropertyGetMiss(benchmark::State& state) {
  for (auto _ : state) {
    for (const char* properties : kDemoProperties) {
      benchmark::DoNotOptimize(ZK_PropertyGetIntl("PASSWORD", properties));
      benchmark::DoNotOptimize(ZK_PropertyGetIntl("VALUE50", properties));
    }
  }
  state.SetItemsProcessed(state.iterations() * 16);
}
BENCHMARK(PropertyGetMiss);

void DateParseFormat(benchmark::State& state) {
  setenv("TZ", "UTC", 1);
  tzset();
  ZK_ClockFixIntl(1796652309);  // 7 December 2026
  const char* const inputs[] = {"1", "1/1", "25/12/2030", "31/04/2026"};
  for (auto _ : state) {
    for (const char* input : inputs) {
      DateValue date;
      date.SetFormat("dd/mm/yyyy");
      date.Parse(input);
      benchmark::DoNotOptimize(date.Format(""));
    }
  }
  ZK_ClockRealIntl();
  state.SetItemsProcessed(state.iterations() * 4);
}
BENCHMARK(DateParseFormat);

void CurrencyParseFormat(benchmark::State& state) {
  const char* const inputs[] = {"12,5", "-1,25", "999,99", "1234,5"};
  for (auto _ : state) {
    for (const char* input : inputs) {
      CurrencyValue amount;
      amount.SetFormat("999,88");
      amount.Parse(input);
      benchmark::DoNotOptimize(amount.Format());
    }
  }
  state.SetItemsProcessed(state.iterations() * 4);
}
BENCHMARK(CurrencyParseFormat);

}  // namespace

BENCHMARK_MAIN();
