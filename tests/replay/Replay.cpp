// The replay check: seeded call sequences on the public interface
// (tests/fuzz/InterfaceCalls.h), each recorded as a transcript of everything a
// host can observe, one line per call, and reduced to a 64-bit FNV-1a digest.
// The digests of a build are kept in a text file; a build whose digests
// differ has changed observable behaviour.
//
//   zeltav_replay --check FILE [--count N]   compare with FILE (the first N)
//   zeltav_replay --write-digests FILE [--count N]   record (default 5000)
//   zeltav_replay --transcript N              print sequence N's transcript
//   zeltav_replay --check-wide FILE           compare with FILE's short digests
//   zeltav_replay --write-wide FILE --from A --count N   record them for A..A+N-1
//
// The wide file reaches many more sequences at a smaller cost: the low 32
// bits of each digest, as 8 hex digits, 100 sequences to a line after the
// first one's number. It tells which sequence differs, not where.
//
// A line of FILE: sequence number, line count, digest, the running digest
// (low 32 bits) after every 32 lines, and one character per line (a 6-bit
// hash of that line alone), which together locate the first differing line.
#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "fuzz/InterfaceCalls.h"

namespace {

const zeltav_calls::Limits kLimits = {48, 6, 300, 3};
const int kDefaultCount = 5000;
const unsigned kBlock = 32;  // lines between two checkpoints
const char kLineHashDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz+/";

// splitmix64: a seeded stream of choices.
struct SeededSource {
  std::uint64_t state;
  std::uint64_t Next() {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  int Int(int lo, int hi) {
    return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1));
  }
  unsigned long long Id() { return Next(); }
  double Real() {
    if (Int(0, 1)) return Int(-4000, 4000) / 64.0;
    const std::uint64_t bits = Next();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  bool More() const { return true; }
};

std::uint64_t Fnv(const std::string& s, std::uint64_t h = 0xcbf29ce484222325ULL) {
  for (unsigned char c : s) h = (h ^ c) * 0x100000001b3ULL;
  return h;
}

// What is kept of a transcript: its digest and what locates a difference.
struct Record {
  unsigned lines = 0;
  std::uint64_t digest = 0xcbf29ce484222325ULL;
  std::vector<std::uint32_t> checkpoints;
  std::string lineHashes;
  std::vector<std::string> text;  // the lines, when asked for
};

// Writes each call as one line: the call with its arguments, its result, the
// error code. A node result is listed as a DAG in first-seen order; every
// node has a number that stays its own for the calculator's life.
class Transcript {
 public:
  Transcript(Record& record, bool keepText, std::FILE* echo)
      : record_(record), keepText_(keepText), echo_(echo) {}

  void Begin(const char* name) {
    line_ = name;
    line_ += '(';
    first_ = true;
  }
  void Result() {
    line_ += ") ->";
    first_ = true;
    result_ = true;
  }
  void End(int error) {
    if (!result_) line_ += ')';
    result_ = false;
    Append(" error %d", error);
    Finish();
  }
  void Reset() { numbers_.clear(); }

  void Node(const ZELS3Node* n) {
    Separate();
    if (!n) {
      line_ += "null";
      return;
    }
    Ref(n);
    if (!result_) return;
    ++listing_;
    line_ += " {";
    List(n);
    line_ += '}';
  }
  void Number(long long v) {
    Separate();
    Append("%lld", v);
  }
  void Id(unsigned long long v) {
    Separate();
    Append("%llu", v);
  }
  void Real(double v) {
    Separate();
    AppendDouble(v);
  }
  void Text(const char* s) {
    Separate();
    line_ += '"';
    line_ += s;
    line_ += '"';
  }
  void Message(const ZELUnicodeString* msg) { Text(msg ? msg->ToUtf8().c_str() : "<null>"); }

 private:
  struct Seen {
    unsigned number;
    unsigned listing;
  };

  template <class... Args>
  void Append(const char* format, Args... args) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, args...);
    line_ += buffer;
  }
  void AppendDouble(double v) {
    if (std::isnan(v)) {
      std::uint64_t bits;
      std::memcpy(&bits, &v, sizeof bits);
      Append("nan:%016" PRIx64, bits);
    } else {
      Append("%a", v);
    }
  }
  void Separate() {
    if (!first_) line_ += ", ";
    if (result_ && first_) line_ += ' ';
    first_ = false;
  }
  Seen& SeenOf(const ZELS3Node* n) {
    auto it = numbers_.find(n);
    if (it == numbers_.end()) it = numbers_.emplace(n, Seen{next_++, 0}).first;
    return it->second;
  }
  void Ref(const ZELS3Node* n) {
    if (n)
      Append("#%u", SeenOf(n).number);
    else
      line_ += "null";
  }

  // One node, then the nodes below it not listed yet in this result.
  void List(const ZELS3Node* n) {
    Seen& seen = SeenOf(n);
    if (seen.listing == listing_) return;
    seen.listing = listing_;
    Append(" #%u:t%d", seen.number, static_cast<int>(n->GetNodeType()));
    line_ += " \"";
    line_ += static_cast<const char*>(n->GetOperName());
    Append("\" s%08x", n->GetSignature());
    if (n->IsVariable()) {
      Append(" id %llu", n->GetVariableID());
      if (!n->IsNonConstVariable()) line_ += " const";
      if (n->IsExactVariable()) line_ += " exact";
      if (n->IsLinearVariable()) line_ += " linear";
    } else if (n->IsConstant()) {
      line_ += ' ';
      AppendDouble(n->GetConstant());
    } else if (n->IsBoolConst()) {
      Append(" b%d", n->GetBool());
    }
    if (n->GetAPINode())
      Append(" api %zu", static_cast<size_t>(reinterpret_cast<std::uintptr_t>(n->GetAPINode())));
    if (n->GetSDNode())
      Append(" sd %zu", static_cast<size_t>(reinterpret_cast<std::uintptr_t>(n->GetSDNode())));
    const bool hasArgs = n->IsOperation() || n->IsUnknown();
    const unsigned count = hasArgs ? n->GetArgsNum() : 0;
    if (hasArgs) {
      line_ += " (";
      for (unsigned i = 0; i < count; ++i) {
        if (i) line_ += ' ';
        Ref(n->GetArg(i));
      }
      line_ += ");";
    } else {
      line_ += ';';
    }
    for (unsigned i = 0; i < count; ++i) {
      if (const ZELS3Node* a = n->GetArg(i)) List(a);
    }
  }

  void Finish() {
    line_ += '\n';
    Record& r = record_;
    r.digest = Fnv(line_, r.digest);
    r.lineHashes += kLineHashDigits[Fnv(line_) & 63];
    if (++r.lines % kBlock == 0) r.checkpoints.push_back(static_cast<std::uint32_t>(r.digest));
    if (echo_) std::fputs(line_.c_str(), echo_);
    if (keepText_) r.text.push_back(line_.substr(0, line_.size() - 1));
  }

  Record& record_;
  bool keepText_;
  std::FILE* echo_;
  std::string line_;
  bool first_ = true;
  bool result_ = false;
  std::unordered_map<const ZELS3Node*, Seen> numbers_;
  unsigned next_ = 1;
  unsigned listing_ = 0;
};

Record Replay(int sequence, bool keepText = false, std::FILE* echo = nullptr) {
  Record record;
  SeededSource in{0x7a656c7461760000ULL + static_cast<std::uint64_t>(sequence)};
  Transcript out(record, keepText, echo);
  zeltav_calls::Calls<SeededSource, Transcript>(in, out, kLimits).Run();
  return record;
}

std::string Format(int sequence, const Record& r) {
  std::ostringstream line;
  char digest[17];
  std::snprintf(digest, sizeof digest, "%016" PRIx64, r.digest);
  line << sequence << ' ' << r.lines << ' ' << digest << ' ';
  for (size_t i = 0; i < r.checkpoints.size(); ++i) {
    char c[9];
    std::snprintf(c, sizeof c, "%08" PRIx32, r.checkpoints[i]);
    line << (i ? "," : "") << c;
  }
  line << (r.checkpoints.empty() ? "-" : "") << ' ' << r.lineHashes;
  return line.str();
}

bool Parse(const std::string& text, int& sequence, Record& r) {
  std::istringstream line(text);
  std::string digest, checkpoints;
  if (!(line >> sequence >> r.lines >> digest >> checkpoints >> r.lineHashes)) return false;
  r.digest = std::strtoull(digest.c_str(), nullptr, 16);
  if (checkpoints != "-") {
    std::istringstream list(checkpoints);
    std::string c;
    while (std::getline(list, c, ','))
      r.checkpoints.push_back(static_cast<std::uint32_t>(std::strtoul(c.c_str(), nullptr, 16)));
  }
  return r.lineHashes.size() == r.lines;
}

// The first line of the new transcript that differs from the recorded one:
// the first block whose checkpoint differs, then the first line in it whose
// own hash differs. Should every differing line of the block have kept its
// hash (1 in 64 for one line), only the block is known.
void ReportDifference(int sequence, const Record& old) {
  const Record now = Replay(sequence, true);
  unsigned block = 0;
  while (block < old.checkpoints.size() && block < now.checkpoints.size() &&
         old.checkpoints[block] == now.checkpoints[block])
    ++block;
  const unsigned first = block * kBlock;
  const unsigned end = std::min(first + kBlock, std::max(old.lines, now.lines));
  unsigned line = first;
  while (line < end && line < old.lines && line < now.lines &&
         old.lineHashes[line] == now.lineHashes[line])
    ++line;
  std::printf("sequence %d differs: %u lines, recorded %u\n", sequence, now.lines, old.lines);
  if (line == end)
    std::printf("the first differing line is one of lines %u to %u\n", first + 1, end);
  else if (line < now.lines)
    std::printf("first differing line %u:\n%s\n", line + 1, now.text[line].c_str());
  else
    std::printf("the transcript ends after line %u, the recorded one goes on\n", now.lines);
  std::printf("full transcript: zeltav_replay --transcript %d\n", sequence);
}

// Each line of path that is neither blank nor a comment goes to read,
// which returns 1 for the next line, 0 to stop and 2 for an unreadable
// line. The exit status of the check: 2 when the file or a line cannot be
// read or nothing was checked, 1 when a sequence differs.
template <class Read>
int CheckFile(const char* path, int* checked, int* differing, Read read) {
  std::ifstream file(path);
  if (!file) {
    std::fprintf(stderr, "cannot read %s\n", path);
    return 2;
  }
  std::string text;
  while (std::getline(file, text)) {
    if (text.empty() || text[0] == '#') continue;
    const int next = read(text);
    if (next == 0) break;
    if (next == 2) {
      std::fprintf(stderr, "%s: unreadable line: %.60s\n", path, text.c_str());
      return 2;
    }
  }
  std::printf("%d sequences replayed, %d differ from %s\n", *checked, *differing, path);
  if (*checked == 0) return 2;
  return *differing ? 1 : 0;
}

int Check(const char* path, int count) {
  int checked = 0, differing = 0;
  return CheckFile(path, &checked, &differing, [&](const std::string& text) {
    if (checked >= count) return 0;
    int sequence;
    Record old;
    if (!Parse(text, sequence, old)) return 2;
    ++checked;
    const Record now = Replay(sequence);
    if ((now.digest != old.digest || now.lines != old.lines) && ++differing <= 5)
      ReportDifference(sequence, old);
    return 1;
  });
}

// Closes a file just written; 2 when it could not be written.
int Written(std::ofstream& file, const char* path, int count, const char* what) {
  file.close();
  if (!file) {
    std::fprintf(stderr, "cannot write %s\n", path);
    return 2;
  }
  std::printf("%d %s written to %s\n", count, what, path);
  return 0;
}

int Write(const char* path, int count) {
  std::ofstream file(path);
  file << "# Digests of the replay check: sequence, lines, FNV-1a digest, checkpoints, line "
          "hashes.\n"
          "# Regenerate: zeltav_replay --write-digests tests/replay/digests.txt\n";
  for (int i = 0; i < count; ++i) file << Format(i, Replay(i)) << '\n';
  return Written(file, path, count, "digests");
}

const unsigned kWideLine = 100;  // sequences per line of a wide file

unsigned WideDigest(int sequence) { return static_cast<unsigned>(Replay(sequence).digest); }

int CheckWide(const char* path) {
  int checked = 0, differing = 0;
  return CheckFile(path, &checked, &differing, [&](const std::string& text) {
    std::istringstream line(text);
    int first = 0;
    std::string digests;
    if (!(line >> first >> digests) || digests.size() % 8 != 0 || digests.size() > 8 * kWideLine)
      return 2;
    for (size_t i = 0; i < digests.size(); i += 8) {
      const int sequence = first + static_cast<int>(i / 8);
      const unsigned old =
          static_cast<unsigned>(std::strtoul(digests.substr(i, 8).c_str(), nullptr, 16));
      ++checked;
      if (WideDigest(sequence) != old && ++differing <= 20)
        std::printf("sequence %d differs; zeltav_replay --transcript %d shows it\n", sequence,
                    sequence);
    }
    return 1;
  });
}

int WriteWide(const char* path, int from, int count) {
  std::ofstream file(path);
  file << "# Short digests of the replay check: the first sequence of the line, then 8 hex\n"
          "# digits per sequence. Regenerate: zeltav_replay --write-wide FILE --from "
       << from << " --count " << count << "\n";
  for (int i = 0; i < count; i += static_cast<int>(kWideLine)) {
    file << from + i << ' ';
    for (int k = i; k < count && k < i + static_cast<int>(kWideLine); ++k) {
      char digest[9];
      std::snprintf(digest, sizeof digest, "%08x", WideDigest(from + k));
      file << digest;
    }
    file << '\n';
  }
  return Written(file, path, count, "short digests");
}

int Usage() {
  std::fprintf(stderr,
               "usage: zeltav_replay --check FILE [--count N]\n"
               "       zeltav_replay --write-digests FILE [--count N]\n"
               "       zeltav_replay --transcript N\n"
               "       zeltav_replay --check-wide FILE\n"
               "       zeltav_replay --write-wide FILE --from A --count N\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode, value;
  int count = -1, from = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--count") == 0) {
      count = std::atoi(argv[i + 1]);
    } else if (std::strcmp(argv[i], "--from") == 0) {
      from = std::atoi(argv[i + 1]);
    } else {
      mode = argv[i];
      value = argv[i + 1];
    }
  }
  if (argc % 2 == 0 || value.empty()) return Usage();
  if (mode == "--check") return Check(value.c_str(), count < 0 ? 1 << 30 : count);
  if (mode == "--write-digests") return Write(value.c_str(), count < 0 ? kDefaultCount : count);
  if (mode == "--check-wide") return CheckWide(value.c_str());
  if (mode == "--write-wide" && count > 0 && from >= 0)
    return WriteWide(value.c_str(), from, count);
  if (mode == "--transcript") {
    Replay(std::atoi(value.c_str()), false, stdout);
    return 0;
  }
  return Usage();
}
