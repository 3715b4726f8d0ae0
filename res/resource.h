#pragma once
// Resource ids shared by quarnel.rc and the code that loads them.
#define IDI_QUARNEL 1
