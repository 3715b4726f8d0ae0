#include "sim/sim_host.h"

#include <cstdio>
#include <cstdlib>
#include <deque>

#include "app/host/answer_map.h"
#include "sim/sim_registry.h"

namespace sim {
namespace {

struct HostState {
  std::deque<std::int32_t> box_results;
  bool fail_start = false;
  std::vector<Message> messages;
  std::vector<Command> commands;
  std::vector<Event> events;
};

HostState& State() {
  static HostState state;
  return state;
}

}  // namespace

void ResetHost() { State() = HostState(); }

void QueueBoxResults(const std::vector<std::int32_t>& results) {
  State().box_results.insert(State().box_results.end(), results.begin(), results.end());
}

void FailProcessStart(bool fail) { State().fail_start = fail; }
const std::vector<Message>& Messages() { return State().messages; }
const std::vector<Command>& Commands() { return State().commands; }
const std::vector<Event>& Events() { return State().events; }

}  // namespace sim

Answer ShowMessage(const Text& message, std::uint32_t button_set) {
  sim::HostState& state = sim::State();
  state.messages.push_back({message, button_set, BoxStyle(button_set)});
  state.events.push_back({sim::Event::kBox, state.messages.size() - 1});
  std::int32_t result = 1;  // IDOK
  if (!state.box_results.empty()) {
    result = state.box_results.front();
    state.box_results.pop_front();
  }
  return AnswerFromBoxResult(result);
}

bool RunCommand(const Text& command_line, bool wait, std::int32_t show_mode) {
  sim::HostState& state = sim::State();
  state.commands.push_back({command_line, wait, show_mode});
  state.events.push_back({sim::Event::kCommand, state.commands.size() - 1});
  // Only the command interpreter exists on the simulated machine.
  if (state.fail_start || command_line.compare(0, 4, "cmd ") != 0) return false;
  sim::RunRegCommand(command_line);
  return true;
}

void FatalStop(const Text& message) {
  std::fprintf(stderr, "fatal: %s\n", message.c_str());
  std::fflush(stderr);
  std::_Exit(-1);
}
