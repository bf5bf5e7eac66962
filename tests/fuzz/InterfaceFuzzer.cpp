// Decodes bytes into a sequence of calls on the public interface: leaves,
// operations by spelling (every spelling, unknown names, 0 to 5 arguments,
// null arguments), option changes, constraints, derivatives, the output pass,
// messages, and the occasional new calculator. Any crash, sanitizer report or
// leak is a finding.
#include <ZELTavSymbolicCalculator.h>
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

using U8 = unsigned char;

const char* const kSpellings[] = {
    "abs",  "sign", "exp", "ln", "sqrt", "min",  "max", "sin", "cos", "tg",   "ctg",  "asin",
    "acos", "atan", "/\\", "&&", "and",  "\\/",  "||",  "or",  "~",   "not",  "->",   "=",
    "==",   "<>",   "<<",  "<",  "<==",  "<=",   ">>",  ">",   ">=",  ">==",  "<<>>", "+",
    "-",    "*",    "/",   "^",  "f",    "true", "",    "g",   "SIN", "false"};
const double kDoubles[] = {0.0, -0.0, 1.0, -1.0, 2.0, NAN, INFINITY, -INFINITY, 5e-324, 1e308};
using C = ZELSymbolicCalculator;
void (C::*const kSetters[])(int) = {&C::SetGauss, &C::SetSubst, &C::SetDivReplace, &C::SetTransfer};

// A special value, a small number of quarters, or any double.
double PickDouble(FuzzedDataProvider& in) {
  const int n = sizeof kDoubles / sizeof *kDoubles;
  int k = in.ConsumeIntegralInRange<int>(0, n + 1);
  if (k < n) return kDoubles[k];
  return k == n ? in.ConsumeIntegralInRange<int>(-9, 9) / 4.0 : in.ConsumeFloatingPoint<double>();
}

// A small id, one near the top, one just past 32 bits, or any.
unsigned long long PickId(FuzzedDataProvider& in) {
  static const unsigned long long kBase[] = {0, ~0ULL - 2, 1ULL << 32}, kSpan[] = {6, 2, 3};
  int k = in.ConsumeIntegralInRange<int>(0, 3);
  if (k == 3) return in.ConsumeIntegral<unsigned long long>();
  return kBase[k] + in.ConsumeIntegralInRange<unsigned long long>(0, kSpan[k]);
}

// Reads every node reachable from n, as a host printing the output would.
void Walk(const ZELS3Node* n, int depth) {
  if (!n || depth > 200) return;
  (void)n->GetSignature(), (void)n->GetOperName();
  if (n->IsVariable()) (void)n->GetVariableID();
  if (n->IsConstant()) (void)n->GetConstant();
  if (n->IsBoolConst()) (void)n->GetBool();
  if (!n->IsOperation() && !n->IsUnknown()) return;
  for (unsigned i = 0; i < n->GetArgsNum(); ++i) Walk(n->GetArg(i), depth + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  std::unique_ptr<ZELSymbolicCalculator> calc(new ZELSymbolicCalculator);
  std::vector<ZELS3Node*> pool;  // at most one node a step
  auto upTo = [&](int hi) { return in.ConsumeIntegralInRange<int>(0, hi); };
  auto keep = [&](ZELS3Node* n) { n ? pool.push_back(n) : void(); };
  auto pick = [&]() -> ZELS3Node* {  // sometimes null
    if (pool.empty() || upTo(15) == 0) return nullptr;
    return pool[in.ConsumeIntegralInRange<size_t>(0, pool.size() - 1)];
  };
  for (int steps = 1; in.remaining_bytes() > 0 && steps < 400; ++steps) {
    switch (upTo(13)) {
      default: {  // 0 to 2: a leaf
        int kind = upTo(2);
        keep(kind == 0   ? CreateExpression(PickId(in), U8(upTo(2)))
             : kind == 1 ? CreateExpression(PickDouble(in))
                         : CreateExpression(U8(upTo(2))));
        break;
      }
      case 3:
      case 4: {
        ZELString spelling(kSpellings[upTo(sizeof kSpellings / sizeof *kSpellings - 1)]);
        ZELICVectorImp_ZELS3Node args(2u, 5u);
        for (int i = upTo(5); i > 0; --i) args.Add(pick());
        keep(CreateExpression(spelling, &args));
        break;
      }
      case 5:
        (calc.get()->*kSetters[upTo(3)])(upTo(2));
        break;
      case 6:
      case 7:
        calc->AddEquation(pick());
        break;
      case 8:
        if (ZELS3Node* n = pick()) keep(n->Diff(PickId(in)));
        break;
      case 9:
        calc->Simplify();
        for (unsigned i = 0; i <= calc->GetNumberOfEquations(); ++i) Walk(calc->GetEquation(i), 0);
        break;
      case 10: {
        std::unique_ptr<ZELUnicodeString> msg(
            calc->BuildErrorMsg(in.ConsumeIntegralInRange<int>(-1, 10021)));
        if (msg && msg->ToUtf8().empty()) __builtin_trap();  // a message is never blank
        break;
      }
      case 11:
        if (upTo(7) != 0) break;
        pool.clear();
        calc.reset();  // the old calculator goes before the new one registers
        calc.reset(new ZELSymbolicCalculator);
        break;
      case 12: {
        ZELS3Node *a = pick(), *b = pick();
        if (!a) break;
        (void)a->Equal(b), (void)a->GetOperation(), (void)a->GetConstant();
        (void)a->GetBool(), (void)a->GetVariableID(), (void)a->GetArg(0);
        Walk(a, 0);
        break;
      }
      case 13: {
        ZELS3Node* a = pick();
        int call = upTo(2);
        if (call == 0) calc->AddExactVariable(PickId(in), PickDouble(in));
        if (call == 1 && a) calc->AddLinearVariable(PickId(in), a);
        if (call == 2) keep(calc->ProcessGauss(a));
        break;
      }
    }
  }
  return 0;
}
