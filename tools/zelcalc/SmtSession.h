// Runs an SMT-LIB 2 script: reads it into a fresh calculator with the
// session's options, processes the system and prints it.
#ifndef ZELCALC_SMTSESSION_H
#define ZELCALC_SMTSESSION_H

#include <ostream>
#include <string>

#include "Session.h"

namespace zelcalc {

// Exit status as for a .zel program: 2 if the calculator's error code is set,
// else 1 after any refused or malformed command, else 0. With settings.stats,
// one line of figures goes to err:
// "stats: assertions A refused R variables V fixed F eliminated E nodes N
//  bytes B read-ms T process-ms T write-ms T".
int RunSmt(const std::string& source, const std::string& fileName, std::ostream& out,
           std::ostream& err, const Settings& settings);

}  // namespace zelcalc

#endif
