#include "Operators.h"

#include <algorithm>

namespace zelcalc {

const std::vector<Operator>& Operators() {
  using G = Grouping;
  static const std::vector<Operator> table = {
      {"->", kImplies, G::Right, "implies", "=>"},
      {"or", kOr, G::Left, "logical or", "or"},
      {"||", kOr, G::Left, "logical or", nullptr},
      {"\\/", kOr, G::Left, "logical or", nullptr},
      {"and", kAnd, G::Left, "logical and", "and"},
      {"&&", kAnd, G::Left, "logical and", nullptr},
      {"/\\", kAnd, G::Left, "logical and", nullptr},
      {"not", kNot, G::Prefix, "logical not", "not"},
      {"~", kNot, G::Prefix, "logical not", nullptr},
      {"=", kRelation, G::None, "comparisons (<<>>: not equal, always between booleans)", "="},
      {"==", kRelation, G::None, "comparisons (<<>>: not equal, always between booleans)", nullptr},
      {"<>", kRelation, G::None, "comparisons (<<>>: not equal, always between booleans)",
       "distinct"},
      {"<<>>", kRelation, G::None, "comparisons (<<>>: not equal, always between booleans)",
       nullptr},
      {"<", kRelation, G::None, "comparisons (<<>>: not equal, always between booleans)", "<"},
      {"<<", kRelation, G::None, "comparisons (<<>>: not equal, always between booleans)", nullptr},
      {"<=", kRelation, G::None, "comparisons (<<>>: not equal, always between booleans)", "<="},
      {"<==", kRelation, G::None, "comparisons (<<>>: not equal, always between booleans)",
       nullptr},
      {">", kRelation, G::None, "comparisons (<<>>: not equal, always between booleans)", ">"},
      {">>", kRelation, G::None, "comparisons (<<>>: not equal, always between booleans)", nullptr},
      {">=", kRelation, G::None, "comparisons (<<>>: not equal, always between booleans)", ">="},
      {">==", kRelation, G::None, "comparisons (<<>>: not equal, always between booleans)",
       nullptr},
      {"+", kAdditive, G::Run, "plus", "+"},
      {"-", kAdditive, G::Run, "minus", "-"},
      {"*", kMultiplicative, G::Run, "times", "*"},
      {"/", kMultiplicative, G::Left, "divided by", "/"},
      {"-", kUnary, G::Prefix, "negative", nullptr},
      {"+", kUnary, G::Prefix, "positive", nullptr},
      {"^", kPower, G::Right, "to the power", "^"}};
  return table;
}

const Operator* FindInfix(const std::string& spelling) {
  for (const Operator& op : Operators())
    if (op.grouping != Grouping::Prefix && spelling == op.spelling) return &op;
  return nullptr;
}

const Operator* FindPrefix(const std::string& spelling) {
  for (const Operator& op : Operators())
    if (op.grouping == Grouping::Prefix && spelling == op.spelling) return &op;
  return nullptr;
}

const Operator* FindSmtlib(const std::string& name) {
  for (const Operator& op : Operators())
    if (op.smtlib != nullptr && name == op.smtlib) return &op;
  return nullptr;
}

const std::vector<std::string>& SymbolSpellings() {
  static const std::vector<std::string> spellings = [] {
    std::vector<std::string> v;
    for (const Operator& op : Operators()) {
      const std::string s = op.spelling;
      const bool word = (s[0] >= 'a' && s[0] <= 'z');
      if (!word && std::find(v.begin(), v.end(), s) == v.end()) v.push_back(s);
    }
    std::stable_sort(v.begin(), v.end(), [](const std::string& a, const std::string& b) {
      return a.size() > b.size();
    });
    return v;
  }();
  return spellings;
}

bool IsReservedWord(const std::string& w) {
  return w == "and" || w == "or" || w == "not" || w == "true" || w == "false" || w == "inf" ||
         w == "nan";
}

const std::vector<std::string>& LibraryFunctions() {
  static const std::vector<std::string> names = {"abs", "sign", "exp",  "ln",  "sqrt",
                                                 "min", "max",  "sin",  "cos", "tg",
                                                 "ctg", "asin", "acos", "atan"};
  return names;
}

}  // namespace zelcalc
