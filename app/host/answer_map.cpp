#include "app/host/answer_map.h"

std::uint32_t BoxStyle(std::uint32_t button_set) {
  constexpr std::uint32_t kSystemModal = 0x1000;
  constexpr std::uint32_t kTaskModal = 0x2000;
  return (button_set & kSystemModal) ? button_set : (button_set | kTaskModal);
}

Answer AnswerFromBoxResult(std::int32_t result) {
  switch (result) {
    case 1: return kAnswerOk;      // IDOK
    case 2: return kAnswerCancel;  // IDCANCEL
    case 3: return kAnswerAbort;   // IDABORT
    case 4: return kAnswerRetry;   // IDRETRY
    case 5: return kAnswerIgnore;  // IDIGNORE
    case 6: return kAnswerYes;     // IDYES
    case 7: return kAnswerNo;      // IDNO
    default: return kAnswerOk;
  }
}
