#include "cleanup/release_table.h"

// There is no 2009 release: index 2 is 2010.
const std::array<ReleaseEntry, 9> ReleaseTable = {{
    {0, "AUTOCAD2007", "CAD 2007", "R17.0", false},
    {1, "AUTOCAD2008", "CAD 2008", "R17.1", false},
    {2, "AUTOCAD2010", "CAD 2010", "R18.0", true},
    {3, "AUTOCAD2011", "CAD 2011", "R18.1", true},
    {4, "AUTOCAD2012", "CAD 2012", "R18.2", true},
    {5, "AUTOCAD2013", "CAD 2013", "R19.0", true},
    {6, "AUTOCAD2014", "CAD 2014", "R19.1", true},
    {7, "AUTOCAD2015", "CAD 2015", "R20.0", true},
    {8, "AUTOCAD2016", "CAD 2016", "R20.1", true},
}};

const ReleaseEntry* EntryForSelection(std::int32_t index) {
  if (index < 0 || index >= static_cast<std::int32_t>(ReleaseTable.size())) return nullptr;
  return &ReleaseTable[static_cast<std::size_t>(index)];
}

TextArray ReleaseDeleteCommands(const ReleaseEntry& entry) {
  // "Software" is mixed case in the user's hive and capitals in the machine's.
  const Text user = Text("cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\") + entry.ReleaseKey;
  const Text machine =
      Text("cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\") + entry.ReleaseKey;
  TextArray lines = {user + " /f /reg:32", machine + " /f /reg:32"};
  if (entry.has_64bit_view) {
    lines.push_back(user + " /f /reg:64");
    lines.push_back(machine + " /f /reg:64");
  }
  return lines;
}
