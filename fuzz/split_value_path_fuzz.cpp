// SplitValuePath against a model written from its rules.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "registry/paths.h"

namespace {

struct Split {
  std::string path;
  std::string name;
  std::int32_t key_only;
};

Split Model(std::string path, std::int32_t key_only) {
  if (!path.empty() && static_cast<unsigned char>(path[path.size() - 1]) == 0x5C) key_only = 1;
  if (key_only != 0) return {path, "", key_only};
  // The separators are the backslashes that begin a character.
  std::size_t last = std::string::npos;
  std::size_t i = 0;
  while (i < path.size()) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (c == 0x5C) last = i;
    i += c >= 0x80 ? 2 : 1;
  }
  if (last == std::string::npos) return {path, "", key_only};
  return {path.substr(0, last), path.substr(last + 1), key_only};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::int32_t flag_in = data[0] % 3 == 0 ? 1 : 0;
  std::string path(reinterpret_cast<const char*>(data + 1), size - 1);
  const Split expected = Model(path, flag_in);
  std::int32_t key_only = flag_in;
  const std::string name = SplitValuePath(path, key_only);
  if (path != expected.path || name != expected.name || key_only != expected.key_only) std::abort();
  return 0;
}
