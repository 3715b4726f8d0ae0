#include "tests/support/scratch_registry.h"

#include "sim/sim_registry.h"

namespace scratch {
namespace {

sim::View ToSim(View view) { return view == View::k32 ? sim::View::k32 : sim::View::k64; }

}  // namespace

void StartTest() { sim::Reset(); }

bool CreateKey(platform::RegKey root, const std::string& path, View view) {
  sim::CreateKey(root, path, ToSim(view));
  return sim::KeyExists(root, path, ToSim(view));
}

bool SetValue(platform::RegKey root, const std::string& path, const std::string& name, std::uint32_t type,
              const ByteBuffer& data, View view) {
  sim::SetValue(root, path, name, type, data, ToSim(view));
  return sim::KeyExists(root, path, ToSim(view));
}

bool KeyExists(platform::RegKey root, const std::string& path, View view) {
  return sim::KeyExists(root, path, ToSim(view));
}

bool DeleteTree(platform::RegKey root, const std::string& path, View view) {
  sim::DeleteKeyTree(root, path, ToSim(view));
  return !sim::KeyExists(root, path, ToSim(view));
}

std::vector<std::string> SubkeyNames(platform::RegKey root, const std::string& path, View view) {
  return sim::SubkeyNames(root, path, ToSim(view));
}

}  // namespace scratch
