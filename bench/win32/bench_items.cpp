// The item tables of the form benchmarks: Velmo's form "static", and generated ones.
#include "bench_items.h"

#include <cstdio>

#include "demo.h"
#include "zarvik/zarvik.h"

namespace bench {

// Velmo's own table, opened modelessly (the first MODAL of a property string wins).
std::string StaticFormProperties() {
  return std::string("modal=no;") + DemoStaticFormProperties();
}

const std::vector<BenchItem>& StaticFormItems() {
  static const std::vector<BenchItem> items = [] {
    std::vector<BenchItem> all;
    for (const DemoItem& item : DemoStaticFormItems()) {
      all.push_back({item.order, item.name, item.kind, item.x, item.y, item.width, item.height,
                     item.properties});
    }
    return all;
  }();
  return items;
}

namespace {
struct KindPattern {
  const char* kind;
  const char* properties;
};

// Every kind that makes a control, each with a typical property string.
const KindPattern kPatterns[] = {
    {ZK_STATIC, "value=Libell\xE9;txvpos=center;bkcol=white;brdsize=1;ftname=Arial;ftsize=9"},
    {ZK_EDIT, "value=Texte;length=20;remark=Saisir un texte"},
    {ZK_COMBOSYS, "value1=un;value2=deux;value3=trois;remark=Choisir une valeur"},
    {ZK_BUTTON, "value=Bouton;txcol=white;bkcol=red;remark=Un bouton"},
    {ZK_CHECKSYS, "remark=Case syst\xE8me"},
    {ZK_RECT, "brdsize=1;brdstyle=3DIN"},
    {ZK_CHECK, "check=true;brdsize=2;brdcol=black;bkcol=white;remark=Case dessin\xE9"},
    {ZK_BUTTONSYS, "value=Syst\xE8me;remark=Un bouton syst\xE8me"},
};
constexpr int kPatternCount = sizeof kPatterns / sizeof kPatterns[0];
constexpr int kColumns = 10;
constexpr int kRows = 20;
}  // namespace

std::vector<BenchItem> GeneratedFormItems(int count) {
  std::vector<BenchItem> items;
  items.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const KindPattern& pattern = kPatterns[i % kPatternCount];
    char name[16];
    std::snprintf(name, sizeof name, "item%05d", i + 1);
    const int column = i % kColumns;
    const int row = (i / kColumns) % kRows;
    items.push_back({i + 1, name, pattern.kind, 10 + column * 68, 10 + row * 25, 62,
                     pattern.kind == std::string(ZK_COMBOSYS) ? 100 : 22, pattern.properties});
  }
  return items;
}

}  // namespace bench
