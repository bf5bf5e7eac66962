// The output pass: the processed system as a list of equations, one per
// exact variable and one rebuilt copy per stored equation, in output form:
//   +(2, x, 1, y)  ->  +(1, *(2, 1, x, 1), 1, y)
//   *(x, 2, y, 1)  ->  *(^(x, 2), 1, y, 1)
#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/BuildMemo.h"
#include "calculator/NodeTable.h"
#include "calculator/ScopedOption.h"
#include "collections/ListAppend.h"
#include "factories/NodeBuilder.h"
#include "node/NodeTypeTable.h"

namespace {

// What this output pass has rebuilt so far: a node shared by many stored
// equations, or many times within one, is rebuilt once. The pass only
// registers nodes as built (nothing is rewritten), so a second rebuild of a
// self-equal node would find the first one in the table.
zeltav::BuildMemo* rebuilt = nullptr;
// The stored equations that are arithmetic operations: they may also be
// met below another stored equation. Null when one could not be listed.
zeltav::NodeSet* arithmeticRoots = nullptr;

}  // namespace

void ZELSymbolicCalculator::Simplify() {
  // With both off the variable of "x == value" stays a variable.
  zeltav::ScopedOption keepGauss(this, &ZELSymbolicCalculator::GetGauss,
                                 &ZELSymbolicCalculator::SetGauss, 0);
  zeltav::ScopedOption keepSubst(this, &ZELSymbolicCalculator::GetSubst,
                                 &ZELSymbolicCalculator::SetSubst, 0);
  for (unsigned int i = 0; i < exactVars.Count(); ++i) {
    const ZELS3ExactVariable* rec = exactVars[i];
    if (!rec) continue;
    ZELICVectorImp_ZELS3Node operands(2u, 0u);
    operands.Add(CreateExpression(rec->id, static_cast<unsigned char>(0)));
    operands.Add(rec->value);
    ZELS3Node* eq = CreateExpression(ZELString("=="), operands);
    if (eq) zeltav::AppendDoubling(results, eq);
  }

  SetSubst(1);
  zeltav::BuildMemo memo;
  rebuilt = &memo;
  zeltav::NodeSet roots;
  arithmeticRoots = &roots;
  for (unsigned int i = 0; i < equations.Count(); ++i) {
    const ZELS3Node* stored = equations[i];
    if (stored == nullptr || zeltav::WaitsForFather(stored->GetNodeType())) continue;
    if (!roots.Insert(stored)) arithmeticRoots = nullptr;  // then every rebuild is remembered
  }
  for (unsigned int i = 0; i < equations.Count(); ++i) {
    ZELS3Node* stored = equations[i];
    // The same equation may be stored many times over.
    ZELS3Node* out = RebuildForOutput(stored, true);
    if (!out) continue;
    out->SetSDNode(stored->GetSDNode());
    zeltav::AppendDoubling(results, out);
  }
  rebuilt = nullptr;
  arithmeticRoots = nullptr;
}

ZELS3Node* ZELSymbolicCalculator::RebuildForOutput(ZELS3Node* n, bool shared) {
  if (!n) return nullptr;
  if (!zeltav::TakesArguments(n->GetNodeType())) return n;
  ZELS3Node* known = nullptr;
  if (rebuilt != nullptr && rebuilt->Find(n, &known)) return known;

  // Whether operation a, the argument of holder at position, is met only
  // this once in the pass: its one father is holder, it stands nowhere else
  // among holder's arguments, and it is no stored equation. Its rebuild is
  // then not remembered, which keeps the memo to the nodes that may be
  // shared. It is still looked up: a holder that holds a without being
  // among its fathers (a link removed by hand) remembers it, so a node is
  // rebuilt at most once more than its father.
  auto metOnce = [](const ZELS3Node* a, const ZELS3Node* holder, unsigned int position) {
    if (arithmeticRoots == nullptr || zeltav::WaitsForFather(a->GetNodeType())) return false;
    if (a->fathers.Count() != 1 || a->fathers[0] != holder) return false;
    const unsigned int count = holder->args.Count();
    if (count > 16) return false;  // not worth a scan
    for (unsigned int i = 0; i < count; ++i) {
      if (i != position && holder->args[i] == a) return false;
    }
    return !arithmeticRoots->Contains(a);
  };
  // The rebuilt argument of holder at position i.
  auto argument = [&metOnce](ZELS3Node* holder, unsigned int i) {
    ZELS3Node* a = holder->GetArg(i);
    const bool once =
        a != nullptr && zeltav::TakesArguments(a->GetNodeType()) && metOnce(a, holder, i);
    return RebuildForOutput(a, !once);
  };
  // The copy of operation n over its rebuilt arguments, in output form.
  auto rebuild = [&argument](ZELS3Node* n) -> ZELS3Node* {
    const ZELNodeType type = n->GetNodeType();
    ZELS3Node* m = zeltav::NodeBuilder::New(type, n->name);
    if (!m) return nullptr;
    const unsigned int count = n->GetArgsNum();
    // A null part anywhere makes the whole copy null; a lone trailing entry of
    // a pair list (a malformed node) is left out.
    if (type == NodeSum || type == NodeProduct) {
      for (unsigned int i = 0; i + 1 < count; i += 2) {
        ZELS3Node* first = argument(n, i);
        ZELS3Node* second = argument(n, i + 1);
        if (!first || !second) {
          m->RemoveAllArgs();
          zeltav::DeleteNode(m);
          return nullptr;
        }
        if (type == NodeSum) {
          if (first->IsOne() || first->IsMinesOne()) {
            m->AddArg(first->IsOne() ? sOne : sMinesOne);
            m->AddArg(second);
            continue;
          }
          // c t -> 1 (c * t)
          ZELS3Node* product = zeltav::NodeBuilder::New(NodeProduct);
          if (!product) {
            m->RemoveAllArgs();
            zeltav::DeleteNode(m);
            return nullptr;
          }
          product->AddArg(first);
          product->AddArg(sOne);
          product->AddArg(second);
          product->AddArg(sOne);
          m->AddArg(sOne);
          m->AddArg(ZELS3Node::CheckSimple(product));
        } else {
          if (second->IsOne()) {
            m->AddArg(first);
          } else {
            // b^e -> (^(b, e), 1)
            ZELS3Node* power = zeltav::NodeBuilder::New(NodePower);
            if (!power) {
              m->RemoveAllArgs();
              zeltav::DeleteNode(m);
              return nullptr;
            }
            power->AddArg(first);
            power->AddArg(second);
            m->AddArg(ZELS3Node::CheckSimple(power));
          }
          m->AddArg(sOne);
        }
      }
    } else {
      for (unsigned int i = 0; i < count; ++i) {
        ZELS3Node* arg = argument(n, i);
        if (!arg) {
          m->RemoveAllArgs();
          zeltav::DeleteNode(m);
          return nullptr;
        }
        m->AddArg(arg);
      }
    }
    return ZELS3Node::CheckSimple(m);
  };
  ZELS3Node* result = rebuild(n);
  if (shared && rebuilt != nullptr) rebuilt->Keep(n, result);
  return result;
}
