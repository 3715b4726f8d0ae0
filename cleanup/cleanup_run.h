#pragma once
// The cleanup run behind CleanButton (OnCleanClicked, declared in app/events.h).
#include "app/text.h"

// True for kProductsKeyFullPath followed by a non-empty name of ASCII letters
// and digits alone: the only rows whose key goes into a delete line. A real
// product key is 32 hex digits; anything else could make cmd delete another
// key or run another command.
bool IsPlainProductKeyPath(const Text& path);
