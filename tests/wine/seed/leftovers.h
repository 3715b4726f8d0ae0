#pragma once
// The sandbox's leftovers: what a machine looks like after several AutoCAD
// releases were uninstalled badly, next to products that must survive any
// cleanup. Each entry says itself which release's run must list or delete
// it, written out by hand: nothing here is derived from the tool's tables.
#include <cstdint>

namespace seed {

constexpr std::int32_t kNoRelease = -1;

// The releases the seed holds leftovers of, by their index in VersionCombo.
struct Release {
  std::int32_t index;
  const wchar_t* item;         // the combo's item text
  const wchar_t* release_key;  // its key under Software\Autodesk\AutoCAD
};

constexpr Release kReleases[] = {
    {0, L"AUTOCAD2007", L"R17.0"}, {2, L"AUTOCAD2010", L"R18.0"}, {3, L"AUTOCAD2011", L"R18.1"},
    {4, L"AUTOCAD2012", L"R18.2"}, {6, L"AUTOCAD2014", L"R19.1"},
};

// A Windows Installer product registration under
// HKLM\SOFTWARE\Classes\Installer\Products\<packed product code>.
struct Product {
  const char* label;
  const wchar_t* code;  // the product code, braces included
  const wchar_t* name;  // its ProductName; nullptr for a registration without one
  std::int32_t listed_for;  // the release whose scan lists it, kNoRelease for none
  bool installed;  // also registered as installed for the system (UserData\S-1-5-18)
  std::uint32_t language;
};

constexpr Product kProducts[] = {
    // 2010, in several languages and with language packs.
    {"2010 English", L"{5783F2D7-8001-0409-0002-0060B0CE6BBA}", L"AutoCAD 2010 - English", 2, true, 0x409},
    {"2010 Simplified Chinese", L"{5783F2D7-8001-0804-0002-0060B0CE6BBA}",
     L"AutoCAD 2010 - 简体中文 (Simplified Chinese)", 2, true, 0x804},
    {"2010 German", L"{5783F2D7-8001-0407-0002-0060B0CE6BBA}", L"AutoCAD 2010 - Deutsch (German)", 2, true, 0x407},
    {"2010 language pack", L"{5783F2D7-8001-0804-1102-0060B0CE6BBA}", L"AutoCAD 2010 Language Pack - 简体中文", 2,
     true, 0x804},
    {"2010 name in other case", L"{5783F2D7-8001-0409-3102-0060B0CE6BBA}", L"Autocad 2010 Express Tools", 2, true,
     0x409},
    {"2010 after whole double-byte characters", L"{5783F2D7-8001-0804-2102-0060B0CE6BBA}",
     L"中文版CAD 2010 语言包", 2, true, 0x804},
    // Other releases: a run for 2010 must leave them installed.
    {"2007 English", L"{5783F2D7-5001-0409-0002-0060B0CE6BBA}", L"AutoCAD 2007 - English", 0, true, 0x409},
    {"2011 English", L"{5783F2D7-9001-0409-0002-0060B0CE6BBA}", L"AutoCAD 2011 - English", 3, true, 0x409},
    {"2012 Simplified Chinese", L"{5783F2D7-A001-0804-0002-0060B0CE6BBA}",
     L"AutoCAD 2012 - 简体中文 (Simplified Chinese)", 4, true, 0x804},
    {"2014 English", L"{5783F2D7-D001-0409-0002-0060B0CE6BBA}", L"AutoCAD 2014 - English", 6, true, 0x409},
    {"2014 Simplified Chinese", L"{5783F2D7-D001-0804-0002-0060B0CE6BBA}",
     L"AutoCAD 2014 - 简体中文 (Simplified Chinese)", 6, true, 0x804},
    {"2014 language pack", L"{5783F2D7-D001-0409-1102-0060B0CE6BBA}", L"AutoCAD 2014 语言包 - English", 6, true,
     0x409},
    // Near misses: close to a release's name, listed for none.
    {"LT edition", L"{5783F2D7-8002-0409-0002-0060B0CE6BBA}", L"AutoCAD LT 2010 - English", kNoRelease, true,
     0x409},
    {"no space", L"{5783F2D7-8001-0409-4102-0060B0CE6BBA}", L"AutoCAD2010 Sample Files", kNoRelease, true, 0x409},
    {"two spaces", L"{5783F2D7-8001-0409-5102-0060B0CE6BBA}", L"AutoCAD  2010 Migration", kNoRelease, true, 0x409},
    {"Map 3D", L"{5783F2D7-8003-0409-0002-0060B0CE6BBA}", L"AutoCAD Map 3D 2010", kNoRelease, true, 0x409},
    // In code page 936 the character before "AD" ends in the byte of "C".
    {"double-byte character ending in C", L"{5783F2D7-8001-0804-6102-0060B0CE6BBA}", L"圕AD 2010 图库", kNoRelease,
     true, 0x804},
    {"another Autodesk product", L"{5783F2D7-8004-0409-0002-0060B0CE6BBA}", L"Autodesk Material Library 2010",
     kNoRelease, true, 0x409},
    // Other vendors.
    {"runtime", L"{1D8E6291-B0D5-35EC-8441-6616F567A0F7}",
     L"Microsoft Visual C++ 2010  x64 Redistributable - 10.0.40219", kNoRelease, true, 0x409},
    {"archiver", L"{23170F69-40C1-2702-0920-000001000000}", L"7-Zip 9.20 (x64 edition)", kNoRelease, true, 0x409},
    {"reader", L"{AC76BA86-7AD7-2052-7B44-AB0000000001}", L"Adobe Reader XI - Chinese Simplified", kNoRelease, true,
     0x804},
    {"registration without a name", L"{5783F2D7-8001-0409-7102-0060B0CE6BBA}", nullptr, kNoRelease, false, 0x409},
};

// Registrations whose key is not named by a product code, as a damaged or
// hostile machine may hold them. Seeded only where a scenario asks for them.
struct OddProduct {
  const char* label;
  const wchar_t* key;   // the subkey's name under ...\Installer\Products
  const wchar_t* name;  // its ProductName
  std::int32_t listed_for;
  bool deleted;  // whether a run for listed_for deletes it
};

// Pasted into a delete line unchecked, the first would empty the values of
// the real key it starts with, the second would run a command of its own.
constexpr OddProduct kOddProducts[] = {
    {"name with a space and a switch", L"5783F2D7A0014090 /va", L"AutoCAD 2012 - English", 4, false},
    {"name with an ampersand", L"5783F2D7A0014080 /f&echo injected>quarnel-injected.txt",
     L"AutoCAD 2012 Language Pack - English", 4, false},
    {"plain neighbour of the first", L"5783F2D7A0014090", L"Autodesk Design Review 2012", kNoRelease, false},
};
// What the second would write, in the command's current directory.
constexpr wchar_t kInjectedFile[] = L"quarnel-injected.txt";

enum class Hive { kCurrentUser, kLocalMachine };
enum class View { k64, k32 };  // HKCU\Software is one key in both views

// A key under Software\Autodesk (values, and the keys under it, are written
// as separate entries).
struct AutodeskKey {
  Hive hive;
  View view;
  const wchar_t* path;  // below Software\Autodesk
  const wchar_t* value_name;
  const wchar_t* value;
  std::int32_t deleted_for;  // the release whose run deletes it (with its subtree)
};

constexpr AutodeskKey kAutodeskKeys[] = {
    // The parents stay whatever release is cleaned.
    {Hive::kCurrentUser, View::k64, L"AutoCAD", L"CurVer", L"R18.0", kNoRelease},
    {Hive::kLocalMachine, View::k64, L"AutoCAD", L"CurVer", L"R19.1", kNoRelease},
    {Hive::kLocalMachine, View::k32, L"AutoCAD", L"CurVer", L"R18.0", kNoRelease},
    // 2007: a 32-bit release.
    {Hive::kCurrentUser, View::k64, L"AutoCAD\\R17.0", L"CurVer", L"ACAD-5001:409", 0},
    {Hive::kLocalMachine, View::k32, L"AutoCAD\\R17.0", L"CurVer", L"ACAD-5001:409", 0},
    {Hive::kLocalMachine, View::k32, L"AutoCAD\\R17.0\\ACAD-5001:409", L"AcadLocation",
     L"C:\\Program Files (x86)\\AutoCAD 2007", 0},
    // 2010 in both views of both hives.
    {Hive::kCurrentUser, View::k64, L"AutoCAD\\R18.0", L"CurVer", L"ACAD-8001:804", 2},
    {Hive::kCurrentUser, View::k64, L"AutoCAD\\R18.0\\ACAD-8001:804", L"Language", L"简体中文", 2},
    {Hive::kCurrentUser, View::k64, L"AutoCAD\\R18.0\\ACAD-8001:804\\Profiles\\<<未命名配置>>\\General",
     L"ACAD", L"C:\\Users\\Public\\AutoCAD 2010\\support", 2},
    {Hive::kLocalMachine, View::k64, L"AutoCAD\\R18.0", L"CurVer", L"ACAD-8001:804", 2},
    {Hive::kLocalMachine, View::k64, L"AutoCAD\\R18.0\\ACAD-8001:804", L"AcadLocation",
     L"C:\\Program Files\\AutoCAD 2010", 2},
    {Hive::kLocalMachine, View::k32, L"AutoCAD\\R18.0", L"CurVer", L"ACAD-8001:804", 2},
    {Hive::kLocalMachine, View::k32, L"AutoCAD\\R18.0\\ACAD-8001:804", L"AcadLocation",
     L"C:\\Program Files (x86)\\AutoCAD 2010", 2},
    // Neighbours of 2010's key that must stay.
    {Hive::kCurrentUser, View::k64, L"AutoCAD\\R18.00", L"CurVer", L"ACAD-8001:409", kNoRelease},
    {Hive::kCurrentUser, View::k64, L"AutoCAD\\R18", L"CurVer", L"ACAD-8001:409", kNoRelease},
    {Hive::kLocalMachine, View::k64, L"AutoCAD\\R18.00", L"CurVer", L"ACAD-8001:409", kNoRelease},
    {Hive::kLocalMachine, View::k32, L"AutoCAD\\R18", L"CurVer", L"ACAD-8001:409", kNoRelease},
    {Hive::kCurrentUser, View::k64, L"DWG TrueView\\R18.0", L"CurVer", L"DWGV-8001:409", kNoRelease},
    {Hive::kLocalMachine, View::k64, L"AutoCAD LT\\R18.0", L"CurVer", L"ACLT-8002:409", kNoRelease},
    {Hive::kLocalMachine, View::k32, L"DWG TrueView\\R18.0", L"CurVer", L"DWGV-8001:409", kNoRelease},
    // 2011 and 2012, next to 2010.
    {Hive::kCurrentUser, View::k64, L"AutoCAD\\R18.1", L"CurVer", L"ACAD-9001:409", 3},
    {Hive::kLocalMachine, View::k64, L"AutoCAD\\R18.1", L"CurVer", L"ACAD-9001:409", 3},
    {Hive::kLocalMachine, View::k32, L"AutoCAD\\R18.1", L"CurVer", L"ACAD-9001:409", 3},
    {Hive::kCurrentUser, View::k64, L"AutoCAD\\R18.2", L"CurVer", L"ACAD-A001:804", 4},
    {Hive::kLocalMachine, View::k64, L"AutoCAD\\R18.2", L"CurVer", L"ACAD-A001:804", 4},
    // 2014 in both views of both hives.
    {Hive::kCurrentUser, View::k64, L"AutoCAD\\R19.1", L"CurVer", L"ACAD-D001:804", 6},
    {Hive::kCurrentUser, View::k64, L"AutoCAD\\R19.1\\ACAD-D001:804", L"Language", L"简体中文", 6},
    {Hive::kLocalMachine, View::k64, L"AutoCAD\\R19.1", L"CurVer", L"ACAD-D001:804", 6},
    {Hive::kLocalMachine, View::k64, L"AutoCAD\\R19.1\\ACAD-D001:804", L"AcadLocation",
     L"C:\\Program Files\\Autodesk\\AutoCAD 2014", 6},
    {Hive::kLocalMachine, View::k32, L"AutoCAD\\R19.1", L"CurVer", L"ACAD-D001:804", 6},
};

}  // namespace seed
