#include "registry/registry_read.h"

#include <cstring>
#include <utility>

#include "registry/view_guard.h"

namespace {

constexpr std::uint32_t kNameBufferSize = 255;

// An open registry key, closed when it goes.
class ScopedRegKey {
 public:
  ScopedRegKey() = default;
  ~ScopedRegKey() {
    if (key_ != 0) platform::RegCloseKey(key_);
  }
  ScopedRegKey(const ScopedRegKey&) = delete;
  ScopedRegKey& operator=(const ScopedRegKey&) = delete;

  platform::RegKey* Receive() { return &key_; }
  platform::RegKey Get() const { return key_; }
  bool IsOpen() const { return key_ != 0; }

 private:
  platform::RegKey key_ = 0;
};

// The thread's file-system redirection, off from construction (when Active())
// until destruction.
class FsRedirectionOff {
 public:
  FsRedirectionOff() : active_(DisableFsRedirection(saved_state_)) {}
  ~FsRedirectionOff() {
    if (active_) RevertFsRedirection(saved_state_);
  }
  FsRedirectionOff(const FsRedirectionOff&) = delete;
  FsRedirectionOff& operator=(const FsRedirectionOff&) = delete;

  bool Active() const { return active_; }

 private:
  std::uintptr_t saved_state_ = 0;
  bool active_;
};

// Reflection off for one open key while this lives.
class ReflectionOff {
 public:
  explicit ReflectionOff(platform::RegKey key) : key_(key) { DisableKeyReflection(key_); }
  ~ReflectionOff() { EnableKeyReflection(key_); }
  ReflectionOff(const ReflectionOff&) = delete;
  ReflectionOff& operator=(const ReflectionOff&) = delete;

 private:
  platform::RegKey key_;
};

// Opens a key with open(key_out, system_64bit), which returns the platform's
// result, runs work(key) on it and closes it. On a 64-bit system all of it
// runs with redirection off and reflection off on the key; the members'
// destruction order restores them: reflection, close, redirection.
template <typename Open, typename Work>
void AccessKey(Open open, Work work) {
  if (!IsSystem64Bit()) {
    ScopedRegKey key;
    if (open(key.Receive(), false) != 0) {
      *key.Receive() = 0;  // a failed open leaves nothing to close
      return;
    }
    work(key.Get());
    return;
  }
  FsRedirectionOff redirection;
  if (!redirection.Active()) return;
  ScopedRegKey key;
  if (open(key.Receive(), true) != 0) {
    *key.Receive() = 0;  // a failed open leaves nothing to close
    return;
  }
  ReflectionOff reflection(key.Get());
  work(key.Get());
}

}  // namespace

std::int32_t EnumerateSubkeys(RootCode code, const Text& path, TextArray& names, std::int32_t /*unused*/) {
  names.clear();
  const platform::RegKey root = RootKeyFromCode(code);
  Text key_path = path;
  std::int32_t key_only = 0;
  SplitValuePath(key_path, key_only);

  AccessKey(
      [&](platform::RegKey* out, bool) {
        return platform::RegCreateKeyA(root, key_path.c_str(), out);
      },
      [&](platform::RegKey key) {
        for (std::uint32_t index = 0;; ++index) {
          char buffer[kNameBufferSize] = {};
          if (platform::RegEnumKeyA(key, index, buffer, kNameBufferSize) != 0) break;
          names.emplace_back(buffer, strnlen(buffer, kNameBufferSize));
        }
      });
  return static_cast<std::int32_t>(names.size());
}

ByteBuffer ReadValueBytes(RootCode code, const Text& path) {
  const platform::RegKey root = RootKeyFromCode(code);
  Text key_path = path;
  std::int32_t key_only = 0;
  const Text value_name = SplitValuePath(key_path, key_only);
  const char* name = value_name.empty() ? nullptr : value_name.c_str();

  ByteBuffer data;
  AccessKey(
      [&](platform::RegKey* out, bool system_64bit) {
        const std::uint32_t mask = system_64bit ? (platform::kKeyWow6464Key | platform::kKeyQueryValue)
                                                : (platform::kKeyRead | platform::kKeyQueryValue);
        return platform::RegOpenKeyExA(root, key_path.c_str(), 0, mask, out);
      },
      [&](platform::RegKey key) {
        std::uint32_t size = 0;
        if (platform::RegQueryValueExA(key, name, nullptr, &size) != 0) return;
        ByteBuffer buffer(size);
        std::uint32_t second_size = size;
        // Whatever the second query leaves in the buffer is the data.
        platform::RegQueryValueExA(key, name, size != 0 ? buffer.data() : nullptr, &second_size);
        data = std::move(buffer);
      });
  return data;
}

Text ReadValueText(RootCode code, const Text& path) {
  const ByteBuffer bytes = ReadValueBytes(code, path);
  std::size_t length = 0;
  while (length < bytes.size() && bytes[length] != 0) ++length;
  return Text(reinterpret_cast<const char*>(bytes.data()), length);
}
