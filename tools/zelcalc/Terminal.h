// The interactive session on a terminal: a prompt, line editing and history
// (kept in ~/.zelcalc_history), each statement's result as it is entered.
#ifndef ZELCALC_TERMINAL_H
#define ZELCALC_TERMINAL_H

#include <ostream>

#include "Session.h"

namespace zelcalc {

// Reads statements from the terminal until the end of input; returns -1
// (Finish is left to the caller) or an exit status when it had to stop.
int RunTerminal(Session& session, std::ostream& out, std::ostream& err);

}  // namespace zelcalc

#endif
