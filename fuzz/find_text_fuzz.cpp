// FindText against a model written straight from its rules: the starts a
// match may have are the character boundaries (a byte from 0x80 up takes the
// next byte with it), and only A-Z / a-z compare equal across case.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cleanup/product_scan.h"

namespace {

std::int32_t Model(const std::string& searched, const std::string& sought) {
  if (sought.empty()) return -1;
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < searched.size(); i += (static_cast<unsigned char>(searched[i]) & 0x80) ? 2 : 1)
    starts.push_back(i);
  auto same = [](unsigned char a, unsigned char b) {
    if (a == b) return true;
    const bool a_letter = (a | 0x20) >= 'a' && (a | 0x20) <= 'z';
    const bool b_letter = (b | 0x20) >= 'a' && (b | 0x20) <= 'z';
    return a_letter && b_letter && (a | 0x20) == (b | 0x20);
  };
  for (std::size_t start : starts) {
    if (searched.size() - start < sought.size()) break;
    bool all = true;
    for (std::size_t k = 0; k < sought.size() && all; ++k)
      all = same(static_cast<unsigned char>(searched[start + k]), static_cast<unsigned char>(sought[k]));
    if (all) return static_cast<std::int32_t>(start + 1);
  }
  return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // First byte: the sought text's length; it is taken from the end of the input.
  const std::size_t sought_length = std::min<std::size_t>(data[0] % 17, size - 1);
  const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string sought = rest.substr(rest.size() - sought_length);
  const std::string searched = rest.substr(0, rest.size() - sought_length);
  if (FindText(searched, sought) != Model(searched, sought)) std::abort();
  return 0;
}
