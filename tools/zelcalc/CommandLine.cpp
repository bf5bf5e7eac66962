#include "CommandLine.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "Session.h"
#include "SmtSession.h"

namespace zelcalc {
namespace {

const char kVersion[] = "1.0.0";

const char kUsage[] =
    "usage: zelcalc [options] [FILE.zel | FILE.smt2 | -]\n"
    "\n"
    "Reads a constraint system (standard input when FILE is missing or \"-\"),\n"
    "builds it with the symbolic calculator and prints the processed system.\n"
    "\n"
    "options:\n"
    "  --gauss, --no-gauss            eliminate variables from linear equations (default off)\n"
    "  --subst, --no-subst            replace fixed variables by their values (default off)\n"
    "  --transfer, --no-transfer      move terms to the side where they are positive (default on)\n"
    "  --divreplace, --no-divreplace  rewrite divisions by numbers (default on)\n"
    "  --raw                          print the exact node structure instead of infix\n"
    "  --dot FILE                     write the output's expression graph in Graphviz format\n"
    "  --smt2                         read SMT-LIB 2 (the default for a FILE ending in .smt2)\n"
    "  --output smt2|infix            write the processed system as SMT-LIB 2 or infix\n"
    "  --let                          infix: name every node used more than once (t1 := ...)\n"
    "  --stats                        SMT-LIB input: print counts and times on standard error\n"
    "  --help                         show this help and exit\n"
    "  --version                      show the version and exit\n"
    "\n"
    "exit status: 0 ok, 1 errors in the input, 2 the calculator reported an error,\n"
    "64 bad command line, 66 input not readable, 73 graph file not writable\n";

bool OptionFlag(const std::string& arg, Settings* s) {
  struct Flag {
    const char* name;
    int Settings::*field;
  };
  static const Flag flags[] = {{"gauss", &Settings::gauss},
                               {"subst", &Settings::subst},
                               {"transfer", &Settings::transfer},
                               {"divreplace", &Settings::divreplace}};
  for (const Flag& f : flags) {
    if (arg == std::string("--") + f.name) {
      s->*f.field = 1;
      return true;
    }
    if (arg == std::string("--no-") + f.name) {
      s->*f.field = 0;
      return true;
    }
  }
  return false;
}

}  // namespace

int RunCommand(int argc, const char* const* argv, std::istream& in, std::ostream& out,
               std::ostream& err) {
  Settings settings;
  std::string input;
  bool haveInput = false;
  bool onlyFiles = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!onlyFiles && arg.size() > 1 && arg[0] == '-') {
      if (arg == "--") {
        onlyFiles = true;
      } else if (arg == "--help" || arg == "-h") {
        out << kUsage;
        return kExitOk;
      } else if (arg == "--version") {
        out << "zelcalc " << kVersion << "\n";
        return kExitOk;
      } else if (arg == "--raw") {
        settings.raw = true;
      } else if (arg == "--smt2") {
        settings.smtInput = true;
      } else if (arg == "--let") {
        settings.let = true;
      } else if (arg == "--stats") {
        settings.stats = true;
      } else if (arg == "--output" || arg.compare(0, 9, "--output=") == 0) {
        const std::string format =
            arg == "--output" ? (i + 1 < argc ? argv[++i] : "") : arg.substr(9);
        if (format != "smt2" && format != "infix") {
          err << "zelcalc: --output takes smt2 or infix (try --help)\n";
          return kExitUsage;
        }
        settings.smtOutput = format == "smt2";
      } else if (arg == "--dot" || arg.compare(0, 6, "--dot=") == 0) {
        if (arg == "--dot") {
          if (i + 1 >= argc) {
            err << "zelcalc: --dot needs a file name (try --help)\n";
            return kExitUsage;
          }
          settings.dotPath = argv[++i];
        } else {
          settings.dotPath = arg.substr(6);
        }
        if (settings.dotPath.empty()) {
          err << "zelcalc: --dot needs a file name (try --help)\n";
          return kExitUsage;
        }
      } else if (!OptionFlag(arg, &settings)) {
        err << "zelcalc: unknown option '" << arg << "' (try --help)\n";
        return kExitUsage;
      }
      continue;
    }
    if (haveInput) {
      err << "zelcalc: only one input file may be given (try --help)\n";
      return kExitUsage;
    }
    input = arg;
    haveInput = true;
  }

  std::string source;
  std::string shownName = "<stdin>";
  if (!haveInput || input == "-") {
    source.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } else {
    std::ifstream file(input, std::ios::binary);
    if (!file) {
      err << "zelcalc: cannot read '" << input << "': " << std::strerror(errno) << "\n";
      return kExitNoInput;
    }
    std::ostringstream buffer;
    buffer << file.rdbuf();
    if (file.bad()) {
      err << "zelcalc: cannot read '" << input << "'\n";
      return kExitNoInput;
    }
    source = buffer.str();
    shownName = input;
  }

  const std::string suffix = ".smt2";
  if (settings.smtInput ||
      (haveInput && input.size() >= suffix.size() &&
       input.compare(input.size() - suffix.size(), suffix.size(), suffix) == 0))
    return RunSmt(source, shownName, out, err, settings);
  Session session(out, err, settings);
  return session.Run(source, shownName);
}

}  // namespace zelcalc
