#include "tests/support/fatal_box.h"

namespace fatal_box {

int FatalExitStatus() { return 255; }

bool BoxesCanAppear() { return true; }

void AnswerTheFatalBox() {}

}  // namespace fatal_box
