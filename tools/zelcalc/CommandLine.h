// The zelcalc command: flags, input, exit status.
#ifndef ZELCALC_COMMANDLINE_H
#define ZELCALC_COMMANDLINE_H

#include <ostream>

namespace zelcalc {

// Runs zelcalc with the given arguments (argv[0] is the program name); the
// file descriptor inFd is read when no file or "-" is named, as a terminal
// session when it is a terminal. Returns the exit status.
int RunCommand(int argc, const char* const* argv, int inFd, std::ostream& out, std::ostream& err);

}  // namespace zelcalc

#endif
