#pragma once
// `ampora evaluate FILE...`: evaluates design files without any window
// library, for scripts that try many variants of a loudspeaker.

#include <ostream>

namespace ampora::cli {

// argv[1] is "evaluate". Exit status: 0 every design was evaluated, 1 at
// least one stopped, 2 a file was refused or the options are wrong (a bad
// file never stops the others).
int RunEvaluate(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace ampora::cli
