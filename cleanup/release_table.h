#pragma once
// The nine supported releases, in the order of VersionCombo's items.
#include <array>
#include <cstdint>

#include "app/text.h"

struct ReleaseEntry {
  std::int32_t index;
  const char* ItemText;    // "AUTOCAD2010": the item VersionCombo shows
  const char* MatchText;   // "CAD 2010": sought in each ProductName
  const char* ReleaseKey;  // "R18.0": the key under Software\Autodesk\AutoCAD
  bool has_64bit_view;     // whether the delete lines name /reg:64 after /reg:32
};

extern const std::array<ReleaseEntry, 9> ReleaseTable;

// The entry at VersionCombo's selection index; nullptr for anything but 0 to 8.
const ReleaseEntry* EntryForSelection(std::int32_t index);

// The release's fixed delete lines: for each view (32, then 64 where the entry
// has it) the current user's key, then the machine's.
TextArray ReleaseDeleteCommands(const ReleaseEntry& entry);
