// The item tables the form benchmarks open: the demonstration's "static" form and generated forms
// of mixed kinds.
#pragma once

#include <string>
#include <vector>

namespace bench {

// One item as ZK_FormItemAdd takes it.
struct BenchItem {
  int order;
  std::string name;
  std::string kind;
  int x;
  int y;
  int width;
  int height;
  std::string properties;
};

// The 30 items of Velmo's "static" form, in declaration order.
const std::vector<BenchItem>& StaticFormItems();
// Property string of the "static" form, opened modelessly; the size of every form.
std::string StaticFormProperties();
constexpr int kFormWidth = 700;
constexpr int kFormHeight = 550;

// count items cycling through the eight kinds that make controls, laid out on a grid that wraps
// within the form; names are zero-padded so key order is declaration order.
std::vector<BenchItem> GeneratedFormItems(int count);

}  // namespace bench
