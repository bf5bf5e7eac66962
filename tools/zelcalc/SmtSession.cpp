#include "SmtSession.h"

#include <sysexits.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "SmtReader.h"
#include "SmtWriter.h"

namespace zelcalc {
namespace {

using Clock = std::chrono::steady_clock;

std::string Milliseconds(Clock::time_point from, Clock::time_point to) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.3f",
                std::chrono::duration<double, std::milli>(to - from).count());
  return buf;
}

}  // namespace

int RunSmtCommands(SmtCommandReader& commands, const std::string& shownName, Session& session,
                   std::ostream& err, const Settings& settings) {
  const Clock::time_point start = Clock::now();
  SmtReader reader(session);
  std::string text;
  Position at;
  for (;;) {
    const SmtCommandReader::Result r = commands.Next(&text, &at);
    if (r == SmtCommandReader::Result::End) break;
    if (r == SmtCommandReader::Result::Error) {
      err << "zelcalc: cannot read " << shownName << ": " << std::strerror(commands.error())
          << "\n";
      return EX_IOERR;
    }
    if (r == SmtCommandReader::Result::TooLong) {
      session.Report(
          at, "error: command longer than " + std::to_string(kMaxLineBytes) + " bytes, skipped");
      continue;
    }
    reader.ReadCommand(text, at);
  }
  const Clock::time_point read = Clock::now();

  // The system in the form asked for; the times around the output pass.
  Clock::time_point processed = read;
  Clock::time_point written = read;
  std::size_t bytes = 0;
  std::vector<const ZELS3Node*> roots;
  std::ostream& out = session.out();
  if (!settings.json) {
    session.SetSystemWriter([&](const std::vector<const ZELS3Node*>& equations) {
      processed = Clock::now();
      roots = equations;
      std::string system;
      if (settings.smtOutput) {
        system = WriteSmt(equations, reader.names(), reader.booleans(), reader.logic(),
                          session.FixedVariables());
      } else if (settings.let && !settings.raw) {
        system = WriteInfixLet(equations, session.printer(), reader.names());
      } else {
        for (const ZELS3Node* e : equations)
          system += (settings.raw ? session.printer().Raw(e) : session.printer().Infix(e)) + "\n";
      }
      out << system;
      out.flush();
      bytes = system.size();
      written = Clock::now();
    });
  }
  const int status = session.Finish();

  if (settings.stats) {
    ZELSymbolicCalculator& calc = session.calculator();
    unsigned fixed = 0, eliminated = 0;
    for (unsigned long long id = 1; id <= reader.variableCount(); ++id) {
      fixed += calc.IsExactVariable(id) != 0;
      eliminated += calc.IsLinearVariable(id) != 0;
    }
    err << "stats: assertions " << reader.assertions() << " refused " << reader.refused()
        << " variables " << reader.variableCount() << " fixed " << fixed << " eliminated "
        << eliminated << " nodes " << CountNodes(roots) << " bytes " << bytes << " read-ms "
        << Milliseconds(start, read) << " process-ms " << Milliseconds(read, processed)
        << " write-ms " << Milliseconds(processed, written) << "\n";
  }
  return status;
}

int RunSmt(const std::string& source, const std::string& fileName, std::ostream& out,
           std::ostream& err, const Settings& settings) {
  Session session(out, err, settings);
  session.SetFileName(fileName);
  SmtCommandReader commands(source, kMaxLineBytes);
  return RunSmtCommands(commands, fileName, session, err, settings);
}

}  // namespace zelcalc
