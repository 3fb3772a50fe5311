#pragma once

namespace karven {

class Shell;

// Title window, switches on, initial data, blank grid, state 1. False when the program had to end.
bool StartUp(Shell& shell);

} // namespace karven
