#pragma once
// The program's start routine: builds MainWindow, runs it until it is closed
// and returns the process's exit code (0). A window that cannot be built is a
// fatal stop (exit code -1).
int ProgramStart();
