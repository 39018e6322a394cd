#pragma once

#include <QProcessEnvironment>

namespace velkaram {

// Set-up for the whole process, run first in main(), before Qt or any
// library it loads reads the environment. Returns the environment the user
// gave the program, for the programs it starts.
QProcessEnvironment prepareProcess();

} // namespace velkaram
