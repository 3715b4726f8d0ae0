#pragma once
// For the death tests of FatalStop: what the dying process needs so that the
// test can see its message, on each side.

namespace fatal_box {

// The exit status a death test sees for exit code -1 (255 on Linux, -1 on
// Windows, where the whole 32-bit code is kept).
int FatalExitStatus();

// False under Wine without an X display, where no box can appear at all.
bool BoxesCanAppear();

// Under Wine: leaves a WM_QUIT in the thread's queue, as a window destroyed
// on the way to the fatal stop does, and starts a thread that waits for the
// fatal message box, writes its caption and text to stderr and presses OK.
// Natively FatalStop writes the message to stderr itself: nothing to do.
void AnswerTheFatalBox();

}  // namespace fatal_box
