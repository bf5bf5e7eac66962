// Runs an SMT-LIB 2 script through a session: one top-level command at a
// time is read, built into the session's calculator and forgotten, so a run
// holds the calculator plus one command; then the session finishes (processes
// the system, prints it, reports the first error).
#ifndef ZELCALC_SMTSESSION_H
#define ZELCALC_SMTSESSION_H

#include <ostream>
#include <string>

#include "Session.h"
#include "SmtSyntax.h"

namespace zelcalc {

// Exit status as for a .zel program: 2 if the calculator's error code is set,
// else 1 after any refused or malformed command, else 0; EX_IOERR when the
// input cannot be read (shownName names it). With settings.stats, one line of
// figures goes to err:
// "stats: assertions A refused R variables V fixed F eliminated E nodes N
//  bytes B read-ms T process-ms T write-ms T".
int RunSmtCommands(SmtCommandReader& commands, const std::string& shownName, Session& session,
                   std::ostream& err, const Settings& settings);

// The same for a script given as text, in a session of its own.
int RunSmt(const std::string& source, const std::string& fileName, std::ostream& out,
           std::ostream& err, const Settings& settings);

}  // namespace zelcalc

#endif
