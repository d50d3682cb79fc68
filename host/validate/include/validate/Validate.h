// `workbench validate`: runs a plug-in of this interface against hostile
// hosts and reports what it broke.
#pragma once

#include <ostream>

namespace validate {

// The command with its arguments after "validate". Exit status: 0 when no
// scenario found a fault, 1 when one did, 2 when nothing could run (a bad
// argument, a library that cannot be loaded or has no `main`).
int Main(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace validate
