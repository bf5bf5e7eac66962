#include "SmtSession.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <vector>

#include "DotWriter.h"
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

int RunSmt(const std::string& source, const std::string& fileName, std::ostream& out,
           std::ostream& err, const Settings& settings) {
  const Clock::time_point start = Clock::now();
  ZELSymbolicCalculator calc;
  if (settings.gauss >= 0) calc.SetGauss(settings.gauss);
  if (settings.subst >= 0) calc.SetSubst(settings.subst);
  if (settings.transfer >= 0) calc.SetTransfer(settings.transfer);
  if (settings.divreplace >= 0) calc.SetDivReplace(settings.divreplace);

  SmtReader reader(calc, fileName, err);
  reader.Read(source);
  const Clock::time_point read = Clock::now();
  calc.Simplify();
  const Clock::time_point processed = Clock::now();

  std::vector<const ZELS3Node*> roots;
  for (unsigned i = 0; i < calc.GetNumberOfEquations(); ++i) roots.push_back(calc.GetEquation(i));
  Printer printer(reader.names());
  std::string text;
  if (settings.smtOutput) {
    text = WriteSmt(roots, reader.names(), reader.booleans(), reader.logic());
  } else if (settings.let && !settings.raw) {
    text = WriteInfixLet(roots, printer, reader.names());
  } else {
    for (const ZELS3Node* r : roots)
      text += (settings.raw ? printer.Raw(r) : printer.Infix(r)) + "\n";
  }
  out << text;
  out.flush();
  const Clock::time_point written = Clock::now();

  int status = reader.errors() > 0 ? kExitSyntax : kExitOk;
  if (!settings.dotPath.empty()) {
    std::ofstream file(settings.dotPath);
    if (file) WriteDot(file, roots, printer);
    file.close();
    if (!file) {
      err << "zelcalc: cannot write '" << settings.dotPath << "'\n";
      status = kExitCantCreate;
    }
  }
  if (settings.stats) {
    unsigned fixed = 0, eliminated = 0;
    for (unsigned long long id = 1; id <= reader.variableCount(); ++id) {
      fixed += calc.IsExactVariable(id) != 0;
      eliminated += calc.IsLinearVariable(id) != 0;
    }
    err << "stats: assertions " << reader.assertions() << " refused " << reader.refused()
        << " variables " << reader.variableCount() << " fixed " << fixed << " eliminated "
        << eliminated << " nodes " << CountNodes(roots) << " bytes " << text.size() << " read-ms "
        << Milliseconds(start, read) << " process-ms " << Milliseconds(read, processed)
        << " write-ms " << Milliseconds(processed, written) << "\n";
  }
  if (int code = calc.GetError()) {
    ZELUnicodeString* message = calc.BuildErrorMsg(code);
    err << "error " << code << ": " << (message ? message->ToUtf8() : std::string()) << "\n";
    delete message;
    status = kExitLibraryError;
  }
  return status;
}

}  // namespace zelcalc
