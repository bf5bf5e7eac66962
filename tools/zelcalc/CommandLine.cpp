#include "CommandLine.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sysexits.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "LineReader.h"
#include "Options.h"
#include "Session.h"
#ifdef ZELCALC_HAVE_EDITLINE
#include "Terminal.h"
#endif

namespace zelcalc {
namespace {

std::string Usage() {
  std::string u =
      "usage: zelcalc [options] [FILE.zel | -]\n"
      "\n"
      "Reads a constraint system (standard input when FILE is missing or \"-\"),\n"
      "builds it with the symbolic calculator statement by statement and prints\n"
      "the processed system. On a terminal it runs as an interactive session.\n"
      "\n"
      "options:\n";
  for (const OptionInfo& o : OptionTable()) {
    std::string flags = std::string("  --") + o.name + ", --no-" + o.name;
    flags.resize(34, ' ');
    u += flags + o.meaning + (o.defaultOn ? " (default on)\n" : " (default off)\n");
  }
  u += "  --raw                           print the exact node structure instead of infix:\n"
       "                                  TYPE:NAME(ARGS), TYPE the node type number\n"
       "                                  (the help statement and zelcalc(1) list them)\n"
       "  --format text|json              results and system as text (default) or as JSON\n"
       "                                  lines, each shared node defined once by id\n"
       "  --dot FILE                      write the output's expression graph in Graphviz\n"
       "                                  format (\"-\": to standard output)\n"
       "  --help                          show this help and exit\n"
       "  --version                       show the version and exit\n"
       "\n"
       "exit status: 0 ok, 1 errors in the input, 2 the calculator reported an error,\n"
       "64 bad command line, 66 input not readable, 73 graph file not writable,\n"
       "74 read or write error\n";
  return u;
}

bool OptionFlag(const std::string& arg, Settings* s) {
  const auto& table = OptionTable();
  for (size_t i = 0; i < table.size(); ++i) {
    const int on = arg == std::string("--") + table[i].name      ? 1
                   : arg == std::string("--no-") + table[i].name ? 0
                                                                 : -1;
    if (on < 0) continue;
    s->options[i] = on;
    return true;
  }
  return false;
}

// Runs the lines of fd through the session; returns the exit status.
int RunLines(int fd, const std::string& shownName, Session& session, std::ostream& out,
             std::ostream& err) {
  LineReader reader(fd, kMaxLineBytes);
  std::string line;
  int number = 0;
  for (;;) {
    const LineReader::Result r = reader.Next(&line);
    if (r == LineReader::Result::End) break;
    ++number;
    if (r == LineReader::Result::Error) {
      err << "zelcalc: cannot read " << shownName << ": " << std::strerror(reader.error()) << "\n";
      return EX_IOERR;
    }
    if (r == LineReader::Result::TooLong) {
      session.ReportLongLine(number);
      continue;
    }
    session.RunLine(line, number);
    if (!out) break;
  }
  return -1;
}

}  // namespace

int RunCommand(int argc, const char* const* argv, int inFd, std::ostream& out, std::ostream& err) {
  Settings settings;
  settings.options.assign(OptionTable().size(), -1);
  std::string input;
  bool haveInput = false;
  bool onlyFiles = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!onlyFiles && arg.size() > 1 && arg[0] == '-') {
      if (arg == "--") {
        onlyFiles = true;
      } else if (arg == "--help" || arg == "-h") {
        out << Usage();
        return kExitOk;
      } else if (arg == "--version") {
        out << "zelcalc " << ZELTAV_VERSION_STRING << "\n";
        return kExitOk;
      } else if (arg == "--raw") {
        settings.raw = true;
      } else if (arg == "--format" || arg.compare(0, 9, "--format=") == 0) {
        const std::string format =
            arg == "--format" ? (i + 1 < argc ? argv[++i] : "") : arg.substr(9);
        if (format != "text" && format != "json") {
          err << "zelcalc: --format needs text or json (try --help)\n";
          return EX_USAGE;
        }
        settings.json = format == "json";
      } else if (arg == "--dot" || arg.compare(0, 6, "--dot=") == 0) {
        settings.dotPath = arg == "--dot" ? (i + 1 < argc ? argv[++i] : "") : arg.substr(6);
        if (settings.dotPath.empty()) {
          err << "zelcalc: --dot needs a file name, or - for standard output (try --help)\n";
          return EX_USAGE;
        }
      } else if (!OptionFlag(arg, &settings)) {
        err << "zelcalc: unknown option '" << arg << "' (try --help)\n";
        return EX_USAGE;
      }
      continue;
    }
    if (haveInput) {
      err << "zelcalc: only one input file may be given (try --help)\n";
      return EX_USAGE;
    }
    input = arg;
    haveInput = true;
  }

  const bool fromStdin = !haveInput || input == "-";
  const std::string shownName = fromStdin ? "standard input" : "'" + input + "'";
  int fd = inFd;
  if (!fromStdin) {
    fd = open(input.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      err << "zelcalc: cannot read " << shownName << ": " << std::strerror(errno) << "\n";
      return EX_NOINPUT;
    }
  }
  struct stat info;
  if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    err << "zelcalc: cannot read " << shownName << ": " << std::strerror(EISDIR) << "\n";
    if (!fromStdin) close(fd);
    return EX_NOINPUT;
  }

  settings.interactive = fromStdin && isatty(fd);
  Session session(out, err, settings);
  session.SetFileName(fromStdin ? "<stdin>" : input);
#ifdef ZELCALC_HAVE_EDITLINE
  int status = settings.interactive ? RunTerminal(session, out, err)
                                    : RunLines(fd, shownName, session, out, err);
#else
  int status = RunLines(fd, shownName, session, out, err);
#endif
  if (!fromStdin) close(fd);
  if (status < 0 && out) status = session.Finish();
  out.flush();
  if (!out) {
    const int why = errno;
    err << "zelcalc: cannot write standard output: " << std::strerror(why) << "\n";
    return EX_IOERR;
  }
  return status < 0 ? kExitOk : status;
}

}  // namespace zelcalc
