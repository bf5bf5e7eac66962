// Decodes bytes into a sequence of calls on the public interface: leaves,
// operations by spelling (every spelling, unknown names, 0 to 5 arguments,
// null arguments), option changes, constraints, derivatives, the output pass,
// messages, and the occasional new calculator. Any crash, sanitizer report or
// leak is a finding.
#include <ZELTavSymbolicCalculator.h>
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace {

const char* const kSpellings[] = {
    "abs", "sign", "exp", "ln",  "sqrt", "min", "max", "sin", "cos", "tg",   "ctg",  "asin",
    "acos", "atan", "/\\", "&&", "and", "\\/", "||", "or",  "~",   "not",  "->",   "=",
    "==",   "<>",   "<<",  "<",  "<==", "<=",  ">>", ">",   ">=",  ">==",  "<<>>", "+",
    "-",    "*",    "/",   "^",  "f",   "true", "",  "g",   "SIN", "false"};

double PickDouble(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange<int>(0, 11)) {
    case 0: return 0.0;
    case 1: return -0.0;
    case 2: return 1.0;
    case 3: return -1.0;
    case 4: return 2.0;
    case 5: return std::numeric_limits<double>::quiet_NaN();
    case 6: return std::numeric_limits<double>::infinity();
    case 7: return -std::numeric_limits<double>::infinity();
    case 8: return std::numeric_limits<double>::denorm_min();
    case 9: return 1e308;
    case 10: return in.ConsumeIntegralInRange<int>(-9, 9) / 4.0;
    default: return in.ConsumeFloatingPoint<double>();
  }
}

unsigned long long PickId(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return in.ConsumeIntegralInRange<unsigned long long>(0, 6);
    case 1: return ~0ULL - in.ConsumeIntegralInRange<unsigned long long>(0, 2);
    case 2: return (1ULL << 32) + in.ConsumeIntegralInRange<unsigned long long>(0, 3);
    default: return in.ConsumeIntegral<unsigned long long>();
  }
}

// Reads every node reachable from n, as a host printing the output would.
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

struct Session {
  std::unique_ptr<ZELSymbolicCalculator> calc{new ZELSymbolicCalculator};
  std::vector<ZELS3Node*> pool;

  ZELS3Node* Pick(FuzzedDataProvider& in) {
    if (pool.empty() || in.ConsumeIntegralInRange<int>(0, 15) == 0) return nullptr;
    return pool[in.ConsumeIntegralInRange<size_t>(0, pool.size() - 1)];
  }
  void Keep(ZELS3Node* n) {
    if (n && pool.size() < 512) pool.push_back(n);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  Session s;
  int steps = 0;
  while (in.remaining_bytes() > 0 && ++steps < 400) {
    ZELSymbolicCalculator& calc = *s.calc;
    switch (in.ConsumeIntegralInRange<int>(0, 13)) {
      case 0:
        s.Keep(CreateExpression(PickId(in), in.ConsumeIntegralInRange<unsigned char>(0, 2)));
        break;
      case 1:
        s.Keep(CreateExpression(PickDouble(in)));
        break;
      case 2:
        s.Keep(CreateExpression(in.ConsumeIntegralInRange<unsigned char>(0, 2)));
        break;
      case 3:
      case 4: {
        const char* spelling =
            kSpellings[in.ConsumeIntegralInRange<size_t>(0, sizeof kSpellings / sizeof *kSpellings - 1)];
        ZELICVectorImp_ZELS3Node args(2u, 5u);
        int n = in.ConsumeIntegralInRange<int>(0, 5);
        for (int i = 0; i < n; ++i) args.Add(s.Pick(in));
        s.Keep(CreateExpression(ZELString(spelling), &args));
        break;
      }
      case 5: {
        int value = in.ConsumeIntegralInRange<int>(0, 2);
        switch (in.ConsumeIntegralInRange<int>(0, 3)) {
          case 0: calc.SetGauss(value); break;
          case 1: calc.SetSubst(value); break;
          case 2: calc.SetDivReplace(value); break;
          default: calc.SetTransfer(value); break;
        }
        break;
      }
      case 6:
      case 7:
        calc.AddEquation(s.Pick(in));
        break;
      case 8:
        if (ZELS3Node* n = s.Pick(in)) s.Keep(n->Diff(PickId(in)));
        break;
      case 9:
        calc.Simplify();
        for (unsigned i = 0; i <= calc.GetNumberOfEquations(); ++i) Walk(calc.GetEquation(i), 0);
        break;
      case 10: {
        std::unique_ptr<ZELUnicodeString> msg(
            calc.BuildErrorMsg(in.ConsumeIntegralInRange<int>(-1, 10021)));
        if (msg && msg->ToUtf8().empty()) __builtin_trap();  // a message is never blank
        break;
      }
      case 11:
        if (in.ConsumeIntegralInRange<int>(0, 7) == 0) {
          s.pool.clear();
          s.calc.reset();
          s.calc.reset(new ZELSymbolicCalculator);
        }
        break;
      case 12: {
        ZELS3Node* a = s.Pick(in);
        ZELS3Node* b = s.Pick(in);
        if (a) {
          (void)a->Equal(b);
          (void)a->GetOperation();
          (void)a->GetConstant();
          (void)a->GetBool();
          (void)a->GetVariableID();
          (void)a->GetArg(0);
          Walk(a, 0);
        }
        break;
      }
      default: {
        ZELS3Node* a = s.Pick(in);
        switch (in.ConsumeIntegralInRange<int>(0, 2)) {
          case 0: calc.AddExactVariable(PickId(in), PickDouble(in)); break;
          case 1:
            if (a) calc.AddLinearVariable(PickId(in), a);
            break;
          default: s.Keep(calc.ProcessGauss(a)); break;
        }
        break;
      }
    }
  }
  return 0;
}
