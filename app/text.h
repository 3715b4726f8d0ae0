#pragma once
// The program's value types. Texts are byte strings in the system's ANSI code
// page; the program's own literals are code page 936 bytes (the sources are
// UTF-8 and are compiled with -fexec-charset=CP936).
#include <cstdint>
#include <string>
#include <vector>

using Text = std::string;
using TextArray = std::vector<Text>;
using ByteBuffer = std::vector<std::uint8_t>;
