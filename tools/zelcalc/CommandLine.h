// The zelcalc command: flags, input, exit status.
#ifndef ZELCALC_COMMANDLINE_H
#define ZELCALC_COMMANDLINE_H

#include <istream>
#include <ostream>

namespace zelcalc {

// Runs zelcalc with the given arguments (argv[0] is the program name);
// stdin is read when no file or "-" is named. Returns the exit status.
int RunCommand(int argc, const char* const* argv, std::istream& in, std::ostream& out,
               std::ostream& err);

}  // namespace zelcalc

#endif
