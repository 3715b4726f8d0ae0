#pragma once
// The simulated host behind app/host/host.h: message boxes answered from a
// queue, command lines recorded and, for reg delete, carried out on the
// simulated registry.
#include <cstdint>
#include <vector>

#include "app/host/host.h"

namespace sim {

struct Message {
  Text text;
  std::uint32_t button_set;  // as the caller passed it
  std::uint32_t style;       // as the box would receive it (modality added)
};

struct Command {
  Text line;
  bool wait;
  std::int32_t show_mode;
};

// What happened in order, one entry per box or command: "box" or "cmd".
struct Event {
  enum Kind { kBox, kCommand } kind;
  std::size_t index;  // into Messages() or Commands()
};

void ResetHost();
// The next boxes return these raw MessageBox results (IDOK 1 ... IDNO 7, or
// 0 for a box that fails to appear); with the queue empty a box returns IDOK.
void QueueBoxResults(const std::vector<std::int32_t>& results);
// Makes every command fail to start (true) or start again.
void FailProcessStart(bool fail);

const std::vector<Message>& Messages();
const std::vector<Command>& Commands();
const std::vector<Event>& Events();

}  // namespace sim
