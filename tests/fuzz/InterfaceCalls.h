// Decodes a stream of choices into calls on the public interface, made the way
// hosts make them: leaves, operations by spelling (every spelling, unknown
// names, right and wrong argument counts, null operands), option changes,
// constraints, derivatives, the output pass, handles, messages, the variable
// records and the occasional new calculator.
//
// Source gives the choices: Int(lo, hi) (both included), Id() and Real() for
// arbitrary identifiers and doubles, More() while choices remain. The
// interface fuzzer reads them from its bytes, the replay check from a seeded
// generator. Observer records each call: Begin(name), its arguments through
// Node/Number/Id/Real/Text/Message, Result(), its result the same way,
// End(error code); Reset() when a new calculator replaces the old one.
#ifndef ZELTAV_TESTS_INTERFACE_CALLS_H
#define ZELTAV_TESTS_INTERFACE_CALLS_H

#include <ZELTavSymbolicCalculator.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zeltav_calls {

// A spelling, the argument count its operation takes (-1: any) and the kind
// of operand it takes: 'n' numbers, 'b' booleans, 'a' any.
struct Spelling {
  const char* text;
  int arity;
  char operands;
};

const Spelling kSpellings[] = {
    {"abs", 1, 'n'},  {"sign", 1, 'n'}, {"exp", 1, 'n'},  {"ln", 1, 'n'},   {"sqrt", 1, 'n'},
    {"min", -1, 'n'}, {"max", -1, 'n'}, {"sin", 1, 'n'},  {"cos", 1, 'n'},  {"tg", 1, 'n'},
    {"ctg", 1, 'n'},  {"asin", 1, 'n'}, {"acos", 1, 'n'}, {"atan", 1, 'n'}, {"/\\", 2, 'b'},
    {"&&", 2, 'b'},   {"and", 2, 'b'},  {"\\/", 2, 'b'},  {"||", 2, 'b'},   {"or", 2, 'b'},
    {"~", 1, 'b'},    {"not", 1, 'b'},  {"->", 2, 'b'},   {"=", 2, 'a'},    {"==", 2, 'n'},
    {"<>", 2, 'n'},   {"<<", 2, 'n'},   {"<", 2, 'n'},    {"<==", 2, 'n'},  {"<=", 2, 'n'},
    {">>", 2, 'n'},   {">", 2, 'n'},    {">=", 2, 'n'},   {">==", 2, 'n'},  {"<<>>", 2, 'a'},
    {"+", -1, 'n'},   {"-", -1, 'n'},   {"*", -1, 'n'},   {"/", 2, 'n'},    {"^", 2, 'n'},
    {"f", -1, 'a'},   {"true", 0, 'a'}, {"", 1, 'a'},     {"g", 2, 'a'},    {"SIN", 1, 'a'},
    {"false", 0, 'a'}};
const int kFirstArithmetic = 35;  // "+", "-", "*", "/", "^"
const int kLastArithmetic = 39;

struct Predicate {
  const char* name;
  int (ZELS3Node::*is)() const;
};
const Predicate kPredicates[] = {{"IsVariable", &ZELS3Node::IsVariable},
                                 {"IsNonConstVariable", &ZELS3Node::IsNonConstVariable},
                                 {"IsConstant", &ZELS3Node::IsConstant},
                                 {"IsBoolConst", &ZELS3Node::IsBoolConst},
                                 {"IsBool", &ZELS3Node::IsBool},
                                 {"IsOperation", &ZELS3Node::IsOperation},
                                 {"IsUnknown", &ZELS3Node::IsUnknown},
                                 {"IsTrue", &ZELS3Node::IsTrue},
                                 {"IsFalse", &ZELS3Node::IsFalse},
                                 {"IsZero", &ZELS3Node::IsZero},
                                 {"IsOne", &ZELS3Node::IsOne},
                                 {"IsMinesOne", &ZELS3Node::IsMinesOne},
                                 {"IsExactVariable", &ZELS3Node::IsExactVariable},
                                 {"IsLinearVariable", &ZELS3Node::IsLinearVariable}};

using Option = void (ZELSymbolicCalculator::*)(int);
using Switch = void (ZELSymbolicCalculator::*)();
using Getter = int (ZELSymbolicCalculator::*)() const;
struct OptionCalls {
  const char* name;
  Option set;
  Switch on, off;
  Getter get;
};
const OptionCalls kOptions[] = {
    {"Gauss", &ZELSymbolicCalculator::SetGauss, &ZELSymbolicCalculator::SetGaussOn,
     &ZELSymbolicCalculator::SetGaussOff, &ZELSymbolicCalculator::GetGauss},
    {"Subst", &ZELSymbolicCalculator::SetSubst, &ZELSymbolicCalculator::SetSubstOn,
     &ZELSymbolicCalculator::SetSubstOff, &ZELSymbolicCalculator::GetSubst},
    {"DivReplace", &ZELSymbolicCalculator::SetDivReplace, &ZELSymbolicCalculator::SetDivReplaceOn,
     &ZELSymbolicCalculator::SetDivReplaceOff, &ZELSymbolicCalculator::GetDivReplace},
    {"Transfer", &ZELSymbolicCalculator::SetTransfer, &ZELSymbolicCalculator::SetTransferOn,
     &ZELSymbolicCalculator::SetTransferOff, &ZELSymbolicCalculator::GetTransfer}};

// The shared constants, each as a static member and as a free function.
struct Shared {
  const char* name;
  ZELS3Node* (*member)();
  ZELS3Node* (*free)();
};
const Shared kShared[] = {{"GetZero", &ZELSymbolicCalculator::GetZero, &GetZero},
                          {"GetOne", &ZELSymbolicCalculator::GetOne, &GetOne},
                          {"GetTwo", &ZELSymbolicCalculator::GetTwo, &GetTwo},
                          {"GetMinesOne", &ZELSymbolicCalculator::GetMinesOne, &GetMinesOne},
                          {"GetMinesTwo", &ZELSymbolicCalculator::GetMinesTwo, &GetMinesTwo},
                          {"GetTrue", &ZELSymbolicCalculator::GetTrue, &GetTrue},
                          {"GetFalse", &ZELSymbolicCalculator::GetFalse, &GetFalse}};

template <class T, size_t N>
constexpr int Last(const T (&)[N]) {
  return static_cast<int>(N) - 1;
}

// Bounds that keep a sequence small: operands kept for later calls, how deep
// a kept operand may be, how many calls, how many output passes per
// calculator (each pass rebuilds every stored equation), and, when not 0,
// how large the tree a kept operand unfolds to may be and how many tree
// nodes the output passes of a calculator may write in all (each pass
// counts the trees of the equations stored by then).
// A node that holds a constant variable or a NaN is never shared, so the
// output pass writes such a graph out as the tree it unfolds to.
struct Limits {
  size_t pool;
  int depth;
  int steps;
  int outputPasses;
  unsigned long treeNodes = 0;
  unsigned long outputTreeNodes = 0;
};

// The number of nodes of the tree that n unfolds to, or cap + 1 when it is
// larger; each shared node is visited once.
inline unsigned long TreeNodes(const ZELS3Node* root, unsigned long cap) {
  std::unordered_map<const ZELS3Node*, unsigned long> size;
  std::vector<std::pair<const ZELS3Node*, bool>> todo{{root, false}};
  while (!todo.empty()) {
    const auto [n, argsDone] = todo.back();
    todo.pop_back();
    if (n == nullptr || (!argsDone && size.count(n) != 0)) continue;
    const unsigned count = n->IsOperation() || n->IsUnknown() ? n->GetArgsNum() : 0;
    if (!argsDone) {
      todo.push_back({n, true});
      for (unsigned i = 0; i < count; ++i) todo.push_back({n->GetArg(i), false});
      continue;
    }
    unsigned long total = 1;
    for (unsigned i = 0; i < count; ++i) {
      const auto found = size.find(n->GetArg(i));
      if (found != size.end()) total += found->second;
    }
    size[n] = total > cap ? cap + 1 : total;
  }
  const auto found = size.find(root);
  return found != size.end() ? found->second : 0;
}

// A host's handle: the library only stores it, so any value will do.
template <class Handle>
Handle* MakeHandle(int k) {
  return reinterpret_cast<Handle*>(static_cast<std::uintptr_t>(k));
}

template <class Source, class Observer>
class Calls {
 public:
  Calls(Source& in, Observer& out, Limits limits) : in_(in), out_(out), limits_(limits) {}

  void Run() {
    NewCalculator();
    for (int step = 0; step < limits_.steps && in_.More(); ++step) Step();
  }

 private:
  struct Kept {
    ZELS3Node* node;
    int depth;
  };

  double PickDouble() {
    using Limit = std::numeric_limits<double>;
    const double inf = Limit::infinity(), nan = Limit::quiet_NaN();
    const double special[] = {
        0.0, -0.0, 1.0, -1.0, 2.0, nan, inf, -inf, Limit::denorm_min(), -Limit::min() / 4, 1e308};
    const int k = in_.Int(0, 15);
    if (k <= Last(special)) return special[k];
    return k <= 12 ? in_.Int(-9, 9) / 4.0 : in_.Real();
  }

  // Small identifiers, so that variables meet; the largest ones; some just
  // above 2^32; any.
  unsigned long long PickId() {
    const int k = in_.Int(0, 5);
    if (k == 0) return ~0ULL - static_cast<unsigned long long>(in_.Int(0, 2));
    if (k == 1) return (1ULL << 32) + static_cast<unsigned long long>(in_.Int(0, 3));
    return k == 2 ? in_.Id() : static_cast<unsigned long long>(in_.Int(0, 6));
  }

  // An operand: now and then null, often the node made last (hosts build
  // bottom-up), else a kept node, of the kind asked for if a few tries find
  // one.
  Kept Pick(char kind = 'a') {
    if (pool_.empty() || in_.Int(0, 15) == 0) return {nullptr, 0};
    if (last_.node && in_.Int(0, 3) == 0) return last_;
    Kept k = Any();
    for (int tries = 0; kind != 'a' && tries < 3 && !Fits(k.node, kind); ++tries) k = Any();
    return k;
  }
  Kept Any() { return pool_[static_cast<size_t>(in_.Int(0, static_cast<int>(pool_.size()) - 1))]; }
  static bool Fits(const ZELS3Node* n, char kind) {
    return !n->IsUnknown() && (kind == 'b') == (n->IsBool() != 0);
  }

  void Keep(ZELS3Node* n, int depth) {
    if (!n || depth > limits_.depth) return;
    if (limits_.treeNodes != 0 && TreeNodes(n, limits_.treeNodes) > limits_.treeNodes) return;
    last_ = {n, depth};
    if (pool_.size() < limits_.pool)
      pool_.push_back({n, depth});
    else
      pool_[static_cast<size_t>(in_.Int(0, static_cast<int>(pool_.size()) - 1))] = {n, depth};
  }

  // Opens the record of a call on a node.
  void Begin(const char* name, const ZELS3Node* n) {
    out_.Begin(name);
    out_.Node(n);
  }

  // Closes the record of a call with the error code as it stands after it.
  void End() { out_.End(calc_->GetError()); }

  // Records a call that returns a node, keeps the node for later calls.
  void NodeResult(ZELS3Node* n, int depth) {
    out_.Result();
    out_.Node(n);
    End();
    Keep(n, depth);
  }

  void NumberResult(long long v) {
    out_.Result();
    out_.Number(v);
    End();
  }

  void NewCalculator() {
    pool_.clear();
    last_ = {nullptr, 0};
    calc_.reset();
    out_.Begin("new calculator");
    calc_.reset(new ZELSymbolicCalculator);
    out_.Reset();
    End();
    passes_ = 0;
    stored_ = 0;
    written_ = 0;
  }

  void Build() {
    // One build in three is arithmetic ("+" to "^"), so that sums and
    // products grow beyond the leaves.
    const Spelling& s = kSpellings[in_.Int(0, 2) ? in_.Int(0, Last(kSpellings))
                                                 : in_.Int(kFirstArithmetic, kLastArithmetic)];
    int n = s.arity;
    if (n < 0 || in_.Int(0, 3) == 0) n = in_.Int(0, 5);
    ZELICVectorImp_ZELS3Node args(2u, 5u);
    int depth = 0;
    const bool byPointer = in_.Int(0, 1);
    out_.Begin(byPointer ? "CreateExpression(name, &args)" : "CreateExpression(name, args)");
    out_.Text(s.text);
    for (int i = 0; i < n; ++i) {
      Kept k = Pick(s.operands);
      args.Add(k.node);
      out_.Node(k.node);
      if (k.depth > depth) depth = k.depth;
    }
    ZELS3Node* r = byPointer ? CreateExpression(ZELString(s.text), &args)
                             : CreateExpression(ZELString(s.text), args);
    NodeResult(r, depth + 1);
  }

  void Options() {
    const OptionCalls& o = kOptions[in_.Int(0, Last(kOptions))];
    ZELSymbolicCalculator& calc = *calc_;
    const std::string name = o.name;
    const int k = in_.Int(0, 3);
    switch (k) {
      case 0: {
        const int value = in_.Int(-1, 2);
        out_.Begin(("Set" + name).c_str());
        out_.Number(value);
        (calc.*o.set)(value);
        return End();
      }
      case 1:
      case 2:
        out_.Begin(("Set" + name + (k == 1 ? "On" : "Off")).c_str());
        (calc.*(k == 1 ? o.on : o.off))();
        return End();
      default:
        out_.Begin(("Get" + name).c_str());
        return NumberResult((calc.*o.get)());
    }
  }

  void Ask(Kept a) {
    Kept b = Pick();
    const int k = in_.Int(0, 8);
    switch (k) {
      case 0:
      case 1:
        if (k == 1 && !b.node) return;
        Begin(k == 0 ? "Equal" : "operator==", a.node);
        out_.Node(b.node);
        return NumberResult(k == 0 ? a.node->Equal(b.node) : *a.node == *b.node);
      case 2: {
        const unsigned i = static_cast<unsigned>(in_.Int(0, 3));
        Begin("GetArg", a.node);
        out_.Number(i);
        return NodeResult(a.node->GetArg(i), a.depth);
      }
      case 3: {
        const Predicate& p = kPredicates[in_.Int(0, Last(kPredicates))];
        Begin(p.name, a.node);
        return NumberResult((a.node->*p.is)());
      }
      case 4:
      case 6:
        Begin(k == 4 ? "GetOperation" : "GetBool", a.node);
        return NumberResult(k == 4 ? a.node->GetOperation() : a.node->GetBool());
      case 5:
        Begin("GetConstant", a.node);
        out_.Result();
        out_.Real(a.node->GetConstant());
        return End();
      case 7:
        Begin("GetVariableID", a.node);
        out_.Result();
        out_.Id(a.node->GetVariableID());
        return End();
      default:
        Begin("GetOperName", a.node);
        out_.Result();
        out_.Text(a.node->GetOperName());
        return End();
    }
  }

  void Handles(Kept a) {
    const int k = in_.Int(0, 9);
    const bool sd = in_.Int(0, 1);
    Begin(sd ? "SetSDNode" : "SetAPINode", a.node);
    out_.Number(k);
    if (sd)
      a.node->SetSDNode(MakeHandle<ZELSubdefiniteTerm>(k));
    else
      a.node->SetAPINode(MakeHandle<ZORYASubdefiniteNode>(k));
    End();
  }

  void Records() {
    ZELSymbolicCalculator& calc = *calc_;
    const unsigned long long id = PickId();
    const int k = in_.Int(0, 6);
    switch (k) {
      case 0: {
        const double value = PickDouble();
        out_.Begin("AddExactVariable");
        out_.Id(id);
        out_.Real(value);
        ZELS3ExactVariable* record = calc.AddExactVariable(id, value);
        out_.Result();
        if (record) {
          out_.Id(record->id);
          out_.Node(record->value);
        }
        return End();
      }
      case 1: {
        Kept a = Pick();
        if (!a.node) return;
        out_.Begin("AddLinearVariable");
        out_.Id(id);
        out_.Node(a.node);
        calc.AddLinearVariable(id, a.node);
        return End();
      }
      case 2: {
        Kept a = Pick();
        Begin("ProcessGauss", a.node);
        return NodeResult(calc.ProcessGauss(a.node), a.depth + 1);
      }
      case 3:
      case 4:
        out_.Begin(k == 3 ? "IsExactVariable" : "IsLinearVariable");
        out_.Id(id);
        return NumberResult(k == 3 ? calc.IsExactVariable(id) : calc.IsLinearVariable(id));
      default:
        out_.Begin(k == 5 ? "GetExactVariable" : "GetLinearVariable");
        out_.Id(id);
        return k == 5 ? NodeResult(calc.GetExactVariable(id), 1)
                      : NodeResult(calc.GetLinearVariable(id), limits_.depth);
    }
  }

  // The output pass, then the whole output list; output nodes are kept so
  // that they come back as operands.
  void Output() {
    ZELSymbolicCalculator& calc = *calc_;
    if (passes_ >= limits_.outputPasses) return;
    if (limits_.outputTreeNodes != 0) {
      if (written_ + stored_ > limits_.outputTreeNodes) return;
      written_ += stored_;
    }
    ++passes_;
    out_.Begin("Simplify");
    calc.Simplify();
    End();
    out_.Begin("GetNumberOfEquations");
    const unsigned count = calc.GetNumberOfEquations();
    NumberResult(count);
    for (unsigned i = 0; i <= count; ++i) {
      out_.Begin("GetEquation");
      out_.Number(i);
      ZELS3Node* e = calc.GetEquation(i);
      out_.Result();
      out_.Node(e);
      End();
      if (in_.Int(0, 3) == 0) Keep(e, limits_.depth);
    }
  }

  void Step() {
    ZELSymbolicCalculator& calc = *calc_;
    switch (in_.Int(0, 19)) {
      case 0: {
        const unsigned long long id = PickId();
        const int flag = in_.Int(0, 5) == 0 ? in_.Int(1, 2) : 0;
        out_.Begin("CreateExpression(id, flag)");
        out_.Id(id);
        out_.Number(flag);
        return NodeResult(CreateExpression(id, static_cast<unsigned char>(flag)), 0);
      }
      case 1: {
        const double value = PickDouble();
        out_.Begin("CreateExpression(double)");
        out_.Real(value);
        return NodeResult(CreateExpression(value), 0);
      }
      case 2: {
        const int value = in_.Int(0, 2);
        out_.Begin("CreateExpression(unsigned char)");
        out_.Number(value);
        return NodeResult(CreateExpression(static_cast<unsigned char>(value)), 0);
      }
      case 3:
      case 4:
      case 5:
      case 6:
        return Build();
      case 7:
        return Options();
      case 8:
      case 9: {
        Kept a = Pick();
        Begin("AddEquation", a.node);
        calc.AddEquation(a.node);
        if (limits_.outputTreeNodes != 0) stored_ += TreeNodes(a.node, limits_.outputTreeNodes);
        return End();
      }
      case 10: {
        Kept a = Pick('n');
        if (!a.node) return;
        const unsigned long long id = PickId();
        Begin("Diff", a.node);
        out_.Id(id);
        return NodeResult(a.node->Diff(id), a.depth + 1);
      }
      case 11:
        return Output();
      case 12: {
        const int code = in_.Int(0, 3)   ? in_.Int(-1, 7)
                         : in_.Int(0, 1) ? 101
                                         : in_.Int(9999, 10021);
        out_.Begin("BuildErrorMsg");
        out_.Number(code);
        std::unique_ptr<ZELUnicodeString> msg(calc.BuildErrorMsg(code));
        out_.Result();
        out_.Message(msg.get());
        return End();
      }
      case 13:
        out_.Begin("GetError");
        return NumberResult(calc.GetError());
      case 14:
        if (in_.Int(0, 3) == 0) return NewCalculator();
        if (in_.Int(0, 3) == 0) {
          const int code = in_.Int(0, 7);
          out_.Begin("SetError");
          out_.Number(code);
          in_.Int(0, 1) ? SetError(code) : ZELSymbolicCalculator::SetError(code);
          return End();
        }
        {
          // 0..6: the static members, 7..13: the free functions.
          const int count = Last(kShared) + 1;
          const int k = in_.Int(0, 2 * count - 1);
          const Shared& shared = kShared[k % count];
          const bool member = k < count;
          out_.Begin(
              ((member ? "ZELSymbolicCalculator::" : "") + std::string(shared.name)).c_str());
          return NodeResult(member ? shared.member() : shared.free(), 0);
        }
      case 15: {
        Kept a = Pick();
        if (!a.node) return;
        return in_.Int(0, 1) ? Ask(a) : Handles(a);
      }
      case 16:
      case 17:
        return Records();
      case 18: {
        Kept a = Pick();
        if (in_.Int(0, 1)) {
          Begin("AddNode", a.node);
          return NodeResult(calc.AddNode(a.node), a.depth);
        }
        const unsigned i = static_cast<unsigned>(in_.Int(0, 4));
        out_.Begin("GetEquation");
        out_.Number(i);
        return NodeResult(calc.GetEquation(i), limits_.depth);
      }
      default:
        return Build();
    }
  }

  Source& in_;
  Observer& out_;
  Limits limits_;
  std::unique_ptr<ZELSymbolicCalculator> calc_;
  std::vector<Kept> pool_;
  Kept last_ = {nullptr, 0};
  int passes_ = 0;
  unsigned long stored_ = 0;   // tree nodes of the equations stored so far
  unsigned long written_ = 0;  // tree nodes the output passes wrote
};

}  // namespace zeltav_calls

#endif
