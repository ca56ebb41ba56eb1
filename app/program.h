#pragma once

#include <functional>

#include "app/shell_hand_off.h"
#include "search/workflows.h"

class WindowOperations;
struct ProgramState;

// Builds the workflows over the window's operations and the program state,
// once both exist.
using WorkflowFactory = std::function<Workflows(WindowOperations& window, ProgramState& state)>;

// The program's run, in order: the window system, the hidden main window, its
// created event (the update check, before the window is shown), the window
// shown centred, the message loop until it closes, the exit step, and the end
// of the process with exit code 0, whatever workers are still running.
[[noreturn]] void run_program(int argc, char** argv, ShellHandOff hand_off,
                              const WorkflowFactory& make_workflows);
