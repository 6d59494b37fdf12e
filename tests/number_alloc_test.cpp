// The number engine must not touch the heap: every operator new and, under
// the sanitizers, every malloc is counted around its calls.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "intl/settings.h"
#include "number/number.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's hook interface (its header does not ship with g++).
extern "C" int __sanitizer_install_malloc_and_free_hooks(
    void (*malloc_hook)(const volatile void*, std::size_t), void (*free_hook)(const volatile void*));
#endif

namespace {
std::atomic<long> g_allocations{0};
std::atomic<bool> g_counting{false};
void Count() {
  if (g_counting.load()) ++g_allocations;
}
}  // namespace

#if defined(__SANITIZE_ADDRESS__)
extern "C" {
static void CountMalloc(const volatile void*, std::size_t) { Count(); }
static void IgnoreFree(const volatile void*) {}
}
#endif

// Kept out of line: inlined at a call site, a new paired with free() looks
// mismatched to the optimiser's checks (-Wmismatched-new-delete at -O2 -g).
[[gnu::noinline]] void* operator new(std::size_t size) {
  Count();
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace zorva {
namespace {

TEST(NumberAllocation, ParseAndFormatStayOffTheHeap) {
  const IntlSettings s = LoadIntlSettings(MakeSystemLocale("en", "$"));
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_install_malloc_and_free_hooks(CountMalloc, IgnoreFree);
#endif
  g_counting = true;
  int* volatile probe = new int(1);  // the counter itself must see an allocation
  delete probe;
  g_counting = false;
  ASSERT_GT(g_allocations.exchange(0), 0);
  g_counting = true;
  const char* currency = "$#,##0.00;($#,##0.00)";
  char out[256];
  NumberParts parts;
  for (const char* text : {"($1,234.50)", "1.5E+3", "12.346", "1.0049999999999999999999999",
                           "123456789012345678901234567890", "abc"}) {
    ParseNumber(text, NumberRequest{currency, "$", '.', ','}, parts, s);
    ParseNumber(text, NumberRequest{"0.#", "$", '.', ','}, parts, s);
    FormatNumber(out, sizeof out, NumberRequest{currency, "$", '.', ','}, parts);
    ConvertNumber(out, sizeof out, text, NumberConversion{"0.#", currency, '.', '.', ',', ',', "$"}, s);
  }
  SelectSection(out, sizeof out, currency, 1, s);
  TooManyDigits("1234.5678", 7, '.');
  g_counting = false;
  EXPECT_EQ(g_allocations.load(), 0);
}

}  // namespace
}  // namespace zorva
