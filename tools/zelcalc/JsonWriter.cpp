#include "JsonWriter.h"

#include <zeltav_support/NodeText.h>
#include <zeltav_support/NumberFormat.h>

#include <cmath>
#include <cstdio>

namespace zelcalc {

std::string JsonWriter::Quoted(const std::string& s) {
  std::string q = "\"";
  for (char c : s) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      q += '\\';
      q += c;
    } else if (u < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", u);
      q += buf;
    } else {
      q += c;
    }
  }
  return q + "\"";
}

std::string JsonWriter::Ref(const ZELS3Node* n) {
  if (n == nullptr) return "null";
  auto found = ids_.find(n);
  if (found != ids_.end()) return std::to_string(found->second);
  const size_t id = ids_.size();
  ids_.emplace(n, id);
  pending_.push_back(n);
  return std::to_string(id);
}

// Definitions of the nodes not written before, arguments before the nodes
// that use them. Written without recursion, so deep graphs are safe.
std::string JsonWriter::Definitions() {
  std::vector<std::string> defs;
  std::vector<std::pair<const ZELS3Node*, bool>> stack;
  for (auto it = pending_.rbegin(); it != pending_.rend(); ++it) stack.emplace_back(*it, false);
  pending_.clear();
  while (!stack.empty()) {
    const ZELS3Node* n = stack.back().first;
    const bool argsQueued = stack.back().second;
    stack.pop_back();
    if (defined_.count(n) != 0) continue;
    const int type = n->GetNodeType();
    const bool operation = zeltav_support::IsOperationType(type);
    if (operation && !argsQueued) {
      stack.emplace_back(n, true);
      for (unsigned i = n->GetArgsNum(); i-- > 0;) {
        const ZELS3Node* a = n->GetArg(i);
        if (a != nullptr && defined_.count(a) == 0) stack.emplace_back(a, false);
      }
      continue;
    }
    defined_.insert(n);
    std::string d = "{\"id\":" + Ref(n) + ",\"type\":" + std::to_string(type);
    if (type == NodeVariable) {
      d += ",\"variable\":" + Quoted(printer_.VariableName(n)) +
           ",\"constant\":" + (n->IsNonConstVariable() ? "false" : "true");
    } else if (type == NodeConstant) {
      const double v = n->GetConstant();
      const std::string text = zeltav_support::FormatNumber(v);
      d += ",\"value\":" + (std::isfinite(v) ? text : Quoted(text));
    } else if (type == NodeBoolConst) {
      d += std::string(",\"value\":") + (n->GetBool() ? "true" : "false");
    } else if (operation) {
      d += ",\"name\":" + Quoted(static_cast<const char*>(n->GetOperName())) + ",\"args\":[";
      for (unsigned i = 0; i < n->GetArgsNum(); ++i) d += (i > 0 ? "," : "") + Ref(n->GetArg(i));
      d += "]";
    }
    defs.push_back(d + "}");
  }
  pending_.clear();
  std::string s = "[";
  for (size_t i = 0; i < defs.size(); ++i) s += (i > 0 ? "," : "") + defs[i];
  return s + "]";
}

void JsonWriter::Write(std::ostream& out, const std::string& kind,
                       const std::vector<std::pair<std::string, std::string>>& fields,
                       const ZELS3Node* node) {
  const std::string value = Ref(node);
  out << "{\"result\":" << Quoted(kind);
  for (const auto& f : fields) out << "," << Quoted(f.first) << ":" << f.second;
  out << ",\"nodes\":" << Definitions() << ",\"value\":" << value << "}\n";
}

void JsonWriter::WriteSystem(std::ostream& out, const std::vector<const ZELS3Node*>& equations) {
  std::string refs = "[";
  for (size_t i = 0; i < equations.size(); ++i) refs += (i > 0 ? "," : "") + Ref(equations[i]);
  refs += "]";
  out << "{\"result\":\"system\",\"nodes\":" << Definitions() << ",\"equations\":" << refs << "}\n";
}

}  // namespace zelcalc
