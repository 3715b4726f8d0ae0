#include "app/events.h"

// The program has no program-wide state to prepare.
void OnWindowCreated() {}
