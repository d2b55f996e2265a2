// A property read that finds nothing allocates nothing: counted through the global allocator.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "foundation/foundation_intl.h"

namespace {
long gAllocations = 0;
}

void* operator new(std::size_t size) {
  ++gAllocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

TEST(PropertyGet, MissAllocatesNothing) {
  const std::string properties =
      "value=D\xE9monstrateur Formulaire Zarvik (static);txhpos=center;txvpos=center;"
      "ftname=Arial;ftsize=16;ftbold=true;brdsize=1;brdcol=blue;remark=a long remark text";
  const std::string key = "PASSWORD";
  const long before = gAllocations;
  for (int i = 0; i < 100; ++i) {
    EXPECT_TRUE(ZK_PropertyGetIntl(key, properties).empty());
  }
  EXPECT_EQ(gAllocations, before);
  // A hit allocates only when the value is longer than the string's own small buffer.
  EXPECT_EQ(ZK_PropertyGetIntl("REMARK", properties), "a long remark text");
  EXPECT_LE(gAllocations - before, 1);
}
