#pragma once

namespace velkaram {

class Forms;

// Registers every window of the program under its name.
void registerProgramWindows(Forms &forms);

} // namespace velkaram
