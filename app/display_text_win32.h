#pragma once
// The program's own texts are code page 936 bytes whatever the system's ANSI
// code page is; everything that shows them converts here, and only here.
#include <string>

#include "app/text.h"

// The UTF-16 form of a code page 936 text, up to its first NUL.
std::wstring DisplayText(const Text& text);
