#include "DotWriter.h"

#include <string>
#include <unordered_map>

namespace zelcalc {
namespace {

std::string Quoted(const std::string& s) {
  std::string q = "\"";
  for (char c : s) {
    if (c == '\n') {
      q += "\\n";
      continue;
    }
    if (c == '"' || c == '\\') q += '\\';
    q += c;
  }
  return q + "\"";
}

class Graph {
 public:
  Graph(std::ostream& out, const Printer& printer) : out_(out), printer_(printer) {}

  void Draw(const std::vector<const ZELS3Node*>& roots) {
    out_ << "digraph zelcalc {\n"
         << "  node [fontname=\"Helvetica\", fontsize=11];\n"
         << "  edge [fontname=\"Helvetica\", fontsize=9];\n";
    for (size_t i = 0; i < roots.size(); ++i) {
      if (roots[i] == nullptr) continue;
      out_ << "  eq" << i + 1 << " [shape=plaintext, label=\"equation " << i + 1 << "\"];\n";
      out_ << "  eq" << i + 1 << " -> n" << Id(roots[i]) << ";\n";
      Expand();
    }
    out_ << "}\n";
  }

 private:
  // The node's number; a node seen for the first time is queued for drawing.
  size_t Id(const ZELS3Node* n) {
    auto found = ids_.find(n);
    if (found != ids_.end()) return found->second;
    size_t id = ids_.size();
    ids_.emplace(n, id);
    pending_.push_back(n);
    return id;
  }

  // Draws queued nodes without recursion, so deep graphs are safe.
  void Expand() {
    while (!pending_.empty()) {
      const ZELS3Node* n = pending_.back();
      pending_.pop_back();
      const size_t id = ids_[n];
      const std::string leaf = printer_.Leaf(n);
      const ZELNodeType type = n->GetNodeType();
      if (type == NodeVariable) {
        out_ << "  n" << id << " [shape=ellipse, label=" << Quoted(leaf) << "];\n";
        continue;
      }
      if (type == NodeConstant || type == NodeBoolConst) {
        out_ << "  n" << id << " [shape=plaintext, label=" << Quoted(leaf) << "];\n";
        continue;
      }
      std::string label = static_cast<const char*>(n->GetOperName());
      label += "\n" + std::to_string(static_cast<int>(type));
      out_ << "  n" << id << " [shape=box, label=" << Quoted(label) << "];\n";
      for (unsigned i = 0; i < n->GetArgsNum(); ++i) {
        const ZELS3Node* a = n->GetArg(i);
        if (a == nullptr) continue;
        out_ << "  n" << id << " -> n" << Id(a) << " [label=\"" << i << "\"];\n";
      }
    }
  }

  std::ostream& out_;
  const Printer& printer_;
  std::unordered_map<const ZELS3Node*, size_t> ids_;
  std::vector<const ZELS3Node*> pending_;
};

}  // namespace

void WriteDot(std::ostream& out, const std::vector<const ZELS3Node*>& roots,
              const Printer& printer) {
  Graph(out, printer).Draw(roots);
}

}  // namespace zelcalc
