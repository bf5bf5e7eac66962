// Decodes bytes into a sequence of calls on the public interface
// (InterfaceCalls.h) and reads every node it is handed, as a host printing
// the output would. Any crash, sanitizer report or leak is a finding.
#include <fuzzer/FuzzedDataProvider.h>

#include "InterfaceCalls.h"

namespace {

struct ByteSource {
  FuzzedDataProvider& in;
  int Int(int lo, int hi) { return in.ConsumeIntegralInRange<int>(lo, hi); }
  unsigned long long Id() { return in.ConsumeIntegral<unsigned long long>(); }
  double Real() { return in.ConsumeFloatingPoint<double>(); }
  bool More() const { return in.remaining_bytes() > 0; }
};

// Reads every node reachable from n.
void Walk(const ZELS3Node* n, int depth) {
  if (!n || depth > 200) return;
  (void)n->GetSignature();
  (void)n->GetOperName();
  if (n->IsVariable()) (void)n->GetVariableID();
  if (n->IsConstant()) (void)n->GetConstant();
  if (n->IsBoolConst()) (void)n->GetBool();
  if (!n->IsOperation() && !n->IsUnknown()) return;
  for (unsigned i = 0; i < n->GetArgsNum(); ++i) Walk(n->GetArg(i), depth + 1);
}

struct Reader {
  void Begin(const char*) {}
  void Result() {}
  void End(int) {}
  void Reset() {}
  void Node(const ZELS3Node* n) { Walk(n, 0); }
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
  zeltav_calls::Calls<ByteSource, Reader>(in, out, {512, 1 << 30, 400, 1 << 30}).Run();
  return 0;
}
