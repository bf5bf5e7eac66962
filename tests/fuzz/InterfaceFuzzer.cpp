// Decodes bytes into a sequence of calls on the public interface
// (InterfaceCalls.h) and reads every node it is handed, as a host printing
// the output would. Any crash, sanitizer report or leak is a finding.
#include <fuzzer/FuzzedDataProvider.h>

#include <unordered_set>
#include <vector>

#include "InterfaceCalls.h"

namespace {

struct ByteSource {
  FuzzedDataProvider& in;
  int Int(int lo, int hi) { return in.ConsumeIntegralInRange<int>(lo, hi); }
  unsigned long long Id() { return in.ConsumeIntegral<unsigned long long>(); }
  double Real() { return in.ConsumeFloatingPoint<double>(); }
  bool More() const { return in.remaining_bytes() > 0; }
};

// Reads every node reachable from root once: the graph shares operands, and
// a tree walk over it is exponential in its depth.
void Walk(const ZELS3Node* root) {
  std::unordered_set<const ZELS3Node*> seen;
  std::vector<const ZELS3Node*> todo{root};
  while (!todo.empty()) {
    const ZELS3Node* n = todo.back();
    todo.pop_back();
    if (!n || !seen.insert(n).second) continue;
    (void)n->GetSignature();
    (void)n->GetOperName();
    if (n->IsVariable()) (void)n->GetVariableID();
    if (n->IsConstant()) (void)n->GetConstant();
    if (n->IsBoolConst()) (void)n->GetBool();
    if (!n->IsOperation() && !n->IsUnknown()) continue;
    for (unsigned i = 0; i < n->GetArgsNum(); ++i) todo.push_back(n->GetArg(i));
  }
}

struct Reader {
  void Begin(const char*) {}
  void Result() {}
  void End(int) {}
  void Reset() {}
  void Node(const ZELS3Node* n) { Walk(n); }
  void Number(long long) {}
  void Id(unsigned long long) {}
  void Real(double) {}
  void Text(const char*) {}
  void Message(const ZELUnicodeString* msg) {
    if (msg && msg->ToUtf8().empty()) __builtin_trap();  // a message is never blank
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider bytes(data, size);
  ByteSource in{bytes};
  Reader out;
  // The output pass writes a graph over never-shared leaves as a tree
  // (exponential in its depth): bound the trees so an input stays seconds.
  const zeltav_calls::Limits limits = {512, 1 << 30, 400, 64, 1ul << 15, 1ul << 17};
  zeltav_calls::Calls<ByteSource, Reader>(in, out, limits).Run();
  return 0;
}
