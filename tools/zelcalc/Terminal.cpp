#include "Terminal.h"

#include <editline/readline.h>

#include <cstdlib>
#include <string>

namespace zelcalc {

int RunTerminal(Session& session, std::ostream& out, std::ostream& err) {
  const char* home = std::getenv("HOME");
  const std::string history =
      home != nullptr && *home != '\0' ? std::string(home) + "/.zelcalc_history" : "";
  using_history();
  stifle_history(1000);
  if (!history.empty()) read_history(history.c_str());
  out << "zelcalc " << ZELTAV_VERSION_STRING
      << ": one statement per line; 'help' lists them, end of input (Ctrl-D) prints the system\n";
  out.flush();
  int number = 0;
  for (;;) {
    char* raw = readline("zelcalc> ");
    if (raw == nullptr) break;
    const std::string line = raw;
    std::free(raw);
    ++number;
    if (line.find_first_not_of(" \t") != std::string::npos) {
      add_history(line.c_str());
      if (!history.empty()) write_history(history.c_str());
    }
    if (line.size() > kMaxLineBytes) {
      session.ReportLongLine(number);
    } else {
      session.RunLine(line, number);
    }
    out.flush();
    err.flush();
    if (!out) break;
  }
  out << "\n";
  return -1;
}

}  // namespace zelcalc
