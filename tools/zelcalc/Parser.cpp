#include "Parser.h"

#include <cmath>
#include <utility>

#include "Lexer.h"
#include "Operators.h"
#include "Options.h"

namespace zelcalc {
namespace {

struct Failure {
  SyntaxError error;
};

bool IsOneOf(const Token& t, std::initializer_list<const char*> spellings) {
  if (t.kind != Token::Kind::Operator && t.kind != Token::Kind::Name) return false;
  for (const char* s : spellings)
    if (t.text == s) return true;
  return false;
}

bool IsWord(const Token& t, const char* word) {
  return t.kind == Token::Kind::Name && t.text == word;
}

// The operator-table row of an infix operator token at the given level.
const Operator* InfixAt(const Token& t, Level level) {
  if (t.kind != Token::Kind::Operator && t.kind != Token::Kind::Name) return nullptr;
  const Operator* op = FindInfix(t.text);
  return op != nullptr && op->level == level ? op : nullptr;
}

bool IsPrefixAt(const Token& t, Level level) {
  if (t.kind != Token::Kind::Operator && t.kind != Token::Kind::Name) return false;
  const Operator* op = FindPrefix(t.text);
  return op != nullptr && op->level == level;
}

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : toks_(std::move(tokens)) {}

  // source is the text the tokens came from when it is a single line, for
  // the statements' own text; empty otherwise.
  std::vector<Item> Program(const std::string& line) {
    if (!line.empty()) endText_ = "end of line";
    std::vector<Item> items;
    for (;;) {
      while (Peek().kind == Token::Kind::Separator) ++at_;
      if (Peek().kind == Token::Kind::End) break;
      Item item;
      const Position start = Peek().pos;
      try {
        item.statement = Statement_();
        item.ok = true;
      } catch (const Failure& f) {
        item.error = f.error;
        while (Peek().kind != Token::Kind::Separator && Peek().kind != Token::Kind::End) ++at_;
      }
      const Position end = Peek().pos;
      if (item.ok && !line.empty() && start.line == end.line) {
        std::string text = line.substr(start.column - 1, end.column - start.column);
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
        const size_t comment = text.find('#');
        item.statement.text = text.substr(0, comment);
        while (!item.statement.text.empty() &&
               (item.statement.text.back() == ' ' || item.statement.text.back() == '\t'))
          item.statement.text.pop_back();
      }
      items.push_back(std::move(item));
    }
    return items;
  }

  ExprPtr SingleExpression(SyntaxError* error) {
    try {
      ExprPtr e = Expression();
      if (Peek().kind != Token::Kind::End) Fail("the end of the expression");
      return e;
    } catch (const Failure& f) {
      if (error) *error = f.error;
      return nullptr;
    }
  }

 private:
  // Keeps the recursion of the descent bounded whatever the input.
  class Nest {
   public:
    Nest(Parser* p, const Token& where) : p_(p) {
      if (++p_->depth_ > kMaxNesting)
        p_->FailAt(where, "at most " + std::to_string(kMaxNesting) + " levels of nesting");
    }
    ~Nest() { --p_->depth_; }
    Nest(const Nest&) = delete;
    Nest& operator=(const Nest&) = delete;

   private:
    Parser* p_;
  };

  const Token& Peek(size_t ahead = 0) const {
    size_t k = at_ + ahead;
    return k < toks_.size() ? toks_[k] : toks_.back();
  }
  const Token& Take() {
    const Token& t = Peek();
    if (at_ + 1 < toks_.size()) ++at_;
    return t;
  }

  [[noreturn]] void FailAt(const Token& t, const std::string& expected) {
    Failure f;
    f.error.pos = t.pos;
    switch (t.kind) {
      case Token::Kind::Separator:
        f.error.found = t.text == ";" ? "';'" : "end of line";
        break;
      case Token::Kind::End:
        f.error.found = endText_;
        break;
      default:
        f.error.found = "'" + Printable(t.text) + "'";
        break;
    }
    f.error.expected = t.kind == Token::Kind::Error ? t.message : expected;
    throw f;
  }
  [[noreturn]] void Fail(const std::string& expected) { FailAt(Peek(), expected); }

  bool AtStatementEnd() const {
    return Peek().kind == Token::Kind::Separator || Peek().kind == Token::Kind::End;
  }
  // what: what may still come before the end, e.g. "an operator".
  void ExpectStatementEnd(const std::string& what = "an operator") {
    if (!AtStatementEnd())
      Fail(what.empty() ? "the end of the statement" : what + " or the end of the statement");
  }

  std::string VariableName(Position* pos) {
    const Token& t = Peek();
    if (t.kind != Token::Kind::Name || IsReservedWord(t.text)) Fail("a variable name");
    *pos = t.pos;
    return Take().text;
  }

  void AddName(Statement* s) {
    Position p;
    s->names.push_back(VariableName(&p));
    s->namePos.push_back(p);
  }

  // A number with an optional sign: 1.5, -2, +inf.
  double SignedNumber() {
    bool negative = false;
    if (Peek().kind == Token::Kind::Operator && IsOneOf(Peek(), {"-", "+"}))
      negative = Take().text == "-";
    const Token& t = Peek();
    double v = 0;
    if (t.kind == Token::Kind::Number) {
      v = t.value;
    } else if (IsWord(t, "inf")) {
      v = HUGE_VAL;
    } else {
      Fail("a number");
    }
    Take();
    return negative ? -v : v;
  }

  Statement Statement_() {
    Statement s;
    const Token& first = Peek();
    s.pos = first.pos;
    if (first.kind == Token::Kind::Name) {
      if (first.text == "param") {
        Take();
        s.kind = Statement::Kind::Param;
        AddName(&s);
        while (Peek().kind == Token::Kind::Comma) {
          Take();
          AddName(&s);
        }
        ExpectStatementEnd("',' and another name,");
        return s;
      }
      if (first.text == "option") {
        Take();
        s.kind = Statement::Kind::Option;
        const Token& name = Peek();
        if (name.kind != Token::Kind::Name ||
            (FindOption(name.text) == nullptr && name.text != "raw"))
          Fail("an option name: " + OptionNames() + ", or raw");
        s.option = Take().text;
        if (!IsWord(Peek(), "on") && !IsWord(Peek(), "off")) Fail("on or off");
        s.on = Take().text == "on";
        ExpectStatementEnd("");
        return s;
      }
      if (first.text == "check" || (first.text == "help" && Peek(1).kind != Token::Kind::LParen)) {
        Take();
        s.kind = first.text == "check" ? Statement::Kind::Check : Statement::Kind::Help;
        ExpectStatementEnd("");
        return s;
      }
      if (first.text == "show") {
        Take();
        if (IsWord(Peek(), "system") &&
            (Peek(1).kind == Token::Kind::Separator || Peek(1).kind == Token::Kind::End)) {
          Take();
          s.kind = Statement::Kind::ShowSystem;
          return s;
        }
        s.kind = Statement::Kind::Show;
        s.expr = Expression();
        ExpectStatementEnd();
        return s;
      }
      if (first.text == "diff") {
        Take();
        s.kind = Statement::Kind::Diff;
        s.expr = Expression();
        if (!IsWord(Peek(), "by")) Fail("an operator or 'by' and a variable");
        while (IsWord(Peek(), "by")) {
          Take();
          AddName(&s);
        }
        ExpectStatementEnd(
            "'by' and another variable (diff is taken by variables, one at a time),");
        return s;
      }
      if (first.text == "eval") {
        Take();
        s.kind = Statement::Kind::Eval;
        s.expr = Expression();
        if (AtStatementEnd()) return s;
        if (!IsWord(Peek(), "at")) Fail("an operator, 'at' and the values of the variables,");
        Take();
        for (;;) {
          AddName(&s);
          if (!(Peek().kind == Token::Kind::Operator && Peek().text == "="))
            Fail("'=' and a number");
          Take();
          s.values.push_back(SignedNumber());
          if (Peek().kind != Token::Kind::Comma) break;
          Take();
        }
        ExpectStatementEnd("',' and another variable's value,");
        return s;
      }
    }
    s.kind = Statement::Kind::Constraint;
    s.expr = Expression();
    ExpectStatementEnd();
    return s;
  }

  ExprPtr Apply(const Token& op, std::vector<ExprPtr> args, bool call = false) {
    ExprPtr e = MakeApply(op.text, std::move(args), op.pos, call);
    if (e->height > kMaxHeight)
      FailAt(op, "an expression at most " + std::to_string(kMaxHeight) + " levels deep");
    return e;
  }
  ExprPtr Apply(const Token& op, ExprPtr a, ExprPtr b) {
    std::vector<ExprPtr> v;
    v.push_back(std::move(a));
    v.push_back(std::move(b));
    return Apply(op, std::move(v));
  }

  ExprPtr Expression() { return Implies(); }

  // a -> b -> c is a -> (b -> c).
  ExprPtr Implies() {
    ExprPtr left = Or();
    if (!InfixAt(Peek(), kImplies)) return left;
    const Token& op = Take();
    Nest nest(this, op);
    ExprPtr right = Implies();
    return Apply(op, std::move(left), std::move(right));
  }

  // Connectives are binary in the library, so a chain nests to the left.
  ExprPtr Or() {
    ExprPtr left = And();
    while (InfixAt(Peek(), kOr)) {
      const Token& op = Take();
      ExprPtr right = And();
      left = Apply(op, std::move(left), std::move(right));
    }
    return left;
  }

  ExprPtr And() {
    ExprPtr left = Not();
    while (InfixAt(Peek(), kAnd)) {
      const Token& op = Take();
      ExprPtr right = Not();
      left = Apply(op, std::move(left), std::move(right));
    }
    return left;
  }

  ExprPtr Not() {
    if (!IsPrefixAt(Peek(), kNot)) return Relation();
    const Token& op = Take();
    Nest nest(this, op);
    std::vector<ExprPtr> v;
    v.push_back(Not());
    return Apply(op, std::move(v));
  }

  ExprPtr Relation() {
    ExprPtr left = Additive();
    if (!IsRelation(Peek())) return left;
    const Token& op = Take();
    ExprPtr right = Additive();
    if (IsRelation(Peek()))
      Fail("the end of the comparison (relations do not chain: join them with 'and')");
    return Apply(op, std::move(left), std::move(right));
  }

  static bool IsRelation(const Token& t) {
    return t.kind == Token::Kind::Operator && InfixAt(t, kRelation) != nullptr;
  }

  // A run of one operator becomes one n-ary operation; where the operator
  // changes, the run so far becomes the first operand of the next run:
  // a + b - c - d is "-"("+"(a, b), c, d). An operator that does not group
  // as a run is binary: a / b / c is (a / b) / c.
  template <class Operand>
  ExprPtr Chain(Level level, Operand operand) {
    ExprPtr first = (this->*operand)();
    const Token* runOp = nullptr;
    std::vector<ExprPtr> run;
    run.push_back(std::move(first));
    while (Peek().kind == Token::Kind::Operator && InfixAt(Peek(), level)) {
      const Token& op = Take();
      ExprPtr next = (this->*operand)();
      if (runOp != nullptr && runOp->text == op.text &&
          InfixAt(op, level)->grouping == Grouping::Run) {
        run.push_back(std::move(next));
        continue;
      }
      if (runOp != nullptr) {
        ExprPtr done = Apply(*runOp, std::move(run));
        run.clear();
        run.push_back(std::move(done));
      }
      runOp = &op;
      run.push_back(std::move(next));
    }
    if (runOp == nullptr) return std::move(run.front());
    return Apply(*runOp, std::move(run));
  }

  ExprPtr Additive() { return Chain(kAdditive, &Parser::Multiplicative); }
  ExprPtr Multiplicative() { return Chain(kMultiplicative, &Parser::Unary); }

  ExprPtr Unary() {
    if (Peek().kind != Token::Kind::Operator || !IsPrefixAt(Peek(), kUnary)) return Power();
    const Token& op = Take();
    Nest nest(this, op);
    std::vector<ExprPtr> v;
    v.push_back(Unary());
    return Apply(op, std::move(v));
  }

  // x ^ y ^ z is x ^ (y ^ z); the exponent may carry a sign: x ^ -1.
  ExprPtr Power() {
    ExprPtr base = Primary();
    if (!InfixAt(Peek(), kPower)) return base;
    const Token& op = Take();
    Nest nest(this, op);
    ExprPtr exponent = Unary();
    return Apply(op, std::move(base), std::move(exponent));
  }

  ExprPtr Primary() {
    const Token& t = Peek();
    switch (t.kind) {
      case Token::Kind::Number:
        Take();
        return MakeNumber(t.value, t.pos);
      case Token::Kind::LParen: {
        Take();
        Nest nest(this, t);
        ExprPtr inner = Expression();
        if (Peek().kind != Token::Kind::RParen) Fail("')'");
        Take();
        return inner;
      }
      case Token::Kind::Name:
        if (Peek(1).kind == Token::Kind::LParen && !FindInfix(t.text) && !FindPrefix(t.text))
          return Call();
        Take();
        if (t.text == "true" || t.text == "false") return MakeBoolean(t.text == "true", t.pos);
        if (t.text == "inf") return MakeNumber(HUGE_VAL, t.pos);
        if (t.text == "nan") return MakeNumber(NAN, t.pos);
        if (IsReservedWord(t.text)) FailAt(t, "an expression");
        return MakeName(t.text, t.pos);
      case Token::Kind::Operator:
      case Token::Kind::RParen:
      case Token::Kind::Comma:
      case Token::Kind::Separator:
      case Token::Kind::End:
      case Token::Kind::Error:
        break;
    }
    Fail("an expression");
  }

  ExprPtr Call() {
    const Token& name = Take();
    const Token& open = Take();
    Nest nest(this, open);
    std::vector<ExprPtr> args;
    if (Peek().kind != Token::Kind::RParen) {
      for (;;) {
        args.push_back(Expression());
        if (Peek().kind != Token::Kind::Comma) break;
        Take();
      }
    }
    if (Peek().kind != Token::Kind::RParen) Fail("',' or ')'");
    Take();
    return Apply(name, std::move(args), true);
  }

  std::vector<Token> toks_;
  std::string endText_ = "end of input";  // what the End token stands for
  size_t at_ = 0;
  int depth_ = 0;
};

}  // namespace

std::vector<Item> ParseProgram(const std::string& source, int firstLine) {
  const bool oneLine = source.find('\n') == std::string::npos;
  return Parser(Tokenize(source, firstLine)).Program(oneLine ? source : std::string());
}

ExprPtr ParseExpression(const std::string& source, SyntaxError* error) {
  std::vector<Token> toks = Tokenize(source);
  for (const Token& t : toks) {
    if (t.kind == Token::Kind::Separator) {
      if (error) *error = SyntaxError{t.pos, "';'", "a single expression"};
      return nullptr;
    }
  }
  return Parser(std::move(toks)).SingleExpression(error);
}

}  // namespace zelcalc
