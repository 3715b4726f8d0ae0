#include "registry/paths.h"

#include <string>

#include "app/host/host.h"

platform::RegKey RootKeyFromCode(RootCode code) {
  switch (code) {
    case 1: return platform::kHkeyClassesRoot;
    case 2: return platform::kHkeyCurrentConfig;
    case 3: return platform::kHkeyCurrentUser;
    case 4: return platform::kHkeyLocalMachine;
    case 5: return platform::kHkeyUsers;
    default: break;
  }
  FatalStop("程序错误：无效的注册表根键代码 " + std::to_string(code));
}

Text SplitValuePath(Text& path, std::int32_t& key_only) {
  // Only the last byte decides, even when it is the second byte of a
  // double-byte character.
  if (!path.empty() && path.back() == '\\') key_only = 1;
  if (key_only != 0) return Text();

  std::size_t last = Text::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (static_cast<unsigned char>(path[i]) >= 0x80) {
      ++i;  // the trail byte is never a separator
    } else if (path[i] == '\\') {
      last = i;
    }
  }
  if (last == Text::npos) return Text();

  const Text value_name = path.substr(last + 1);
  path = path.substr(0, last);
  return value_name;
}
