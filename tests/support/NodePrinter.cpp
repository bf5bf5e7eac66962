#include "support/NodePrinter.h"

#include <cstdio>

#include "support/TestAccess.h"

namespace zeltav_test {

namespace {

std::string Number(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  // Prefer the shortest text that reads back to the same double.
  for (int prec = 1; prec <= 17; ++prec) {
    char shortBuf[64];
    std::snprintf(shortBuf, sizeof shortBuf, "%.*g", prec, v);
    double back = 0;
    std::sscanf(shortBuf, "%lf", &back);
    if (back == v) return shortBuf;
  }
  return buf;
}

void Print(const ZELS3Node* n, std::string& out, int depth) {
  if (!n) {
    out += "null";
    return;
  }
  if (depth > 64) {
    out += "...";
    return;
  }
  switch (n->GetNodeType()) {
    case NodeVariable:
      out += (n->IsNonConstVariable() ? "x" : "c") + std::to_string(n->GetVariableID());
      return;
    case NodeConstant:
      out += Number(n->GetConstant());
      return;
    case NodeBoolConst:
      out += n->IsTrue() ? "true" : n->IsFalse() ? "false" : "bool" + std::to_string(n->GetBool());
      return;
    default:
      break;
  }
  out += std::to_string(static_cast<int>(n->GetNodeType()));
  out += ":";
  out += static_cast<const char*>(n->GetOperName());
  out += "(";
  auto& args = ZELS3NodeTestAccess::Args(const_cast<ZELS3Node*>(n));
  for (unsigned i = 0; i < args.Count(); ++i) {
    if (i) out += ", ";
    Print(args[i], out, depth + 1);
  }
  out += ")";
}

}  // namespace

std::string Show(const ZELS3Node* n) {
  std::string out;
  Print(n, out, 0);
  return out;
}

}  // namespace zeltav_test

void PrintTo(const ZELS3Node& n, std::ostream* os) { *os << zeltav_test::Show(&n); }
