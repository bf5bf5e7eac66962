// Results as JSON Lines: one object per result, in which every node not
// written before is defined once ({"id", "type", ...}) and referred to by id
// afterwards, in this line and in every later one.
#ifndef ZELCALC_JSONWRITER_H
#define ZELCALC_JSONWRITER_H

#include <ZELTavSymbolicCalculator.h>

#include <ostream>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "Printer.h"

namespace zelcalc {

class JsonWriter {
 public:
  explicit JsonWriter(const Printer& printer) : printer_(printer) {}

  // {"result": kind, fields..., "nodes": [new nodes], "value": id}; a null node is null.
  void Write(std::ostream& out, const std::string& kind,
             const std::vector<std::pair<std::string, std::string>>& fields, const ZELS3Node* node);
  // {"result": "system", "nodes": [new nodes], "equations": [ids]}
  void WriteSystem(std::ostream& out, const std::vector<const ZELS3Node*>& equations);

  static std::string Quoted(const std::string& s);

 private:
  // The node's id, queueing it (and what it refers to) for definition when new.
  std::string Ref(const ZELS3Node* n);
  std::string Definitions();

  const Printer& printer_;
  std::unordered_map<const ZELS3Node*, size_t> ids_;
  std::unordered_set<const ZELS3Node*> defined_;
  std::vector<const ZELS3Node*> pending_;  // referred to, not yet defined
};

}  // namespace zelcalc

#endif
