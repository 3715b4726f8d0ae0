#pragma once
// Host services: message boxes, starting command lines, the fatal stop.
#include <cstdint>

#include "app/text.h"

enum Answer : std::int32_t {
  kAnswerOk = 0,
  kAnswerCancel = 1,
  kAnswerAbort = 2,
  kAnswerRetry = 3,
  kAnswerIgnore = 4,
  kAnswerYes = 5,
  kAnswerNo = 6,
};

// Message-box style words the program uses.
constexpr std::uint32_t kButtonsOk = 0;     // MB_OK
constexpr std::uint32_t kButtonsYesNo = 4;  // MB_YESNO

// Shows a task-modal box captioned "信息：" with no owner; any result the
// mapping does not know, and a box that fails to appear, give kAnswerOk.
Answer ShowMessage(const Text& message, std::uint32_t button_set);

// Show mode 1 starts the process hidden.
constexpr std::int32_t kShowHidden = 1;

// Starts command_line as a new process; true when it was started. With wait
// set, waits for it to end without a time limit. Its exit code is never read.
bool RunCommand(const Text& command_line, bool wait, std::int32_t show_mode);

// Shows a fatal error message and ends the process with exit code -1.
[[noreturn]] void FatalStop(const Text& message);
