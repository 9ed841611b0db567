#pragma once

// What every helper of the program does first: it checks that the program started it (the
// program's id is its first argument) and asks to die with it; under the sanitizers, it hands
// their reports to the program on descriptor 4, since once confined it could create no report
// file. Linked into the helpers only: it turns the sanitizers' leak checking off in the process.
namespace helperlife {

// False when the helper was not started by the program that is its parent.
bool diesWithTheProgram(int argc, char** argv);

void reportToProgram();

} // namespace helperlife
