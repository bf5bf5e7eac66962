#include "Parser.h"

#include <cmath>
#include <utility>

#include "Lexer.h"

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

bool IsRelation(const Token& t) {
  return t.kind == Token::Kind::Operator &&
         IsOneOf(t, {"=", "==", "<>", "<", "<=", ">", ">=", "<<", "<==", ">>", ">==", "<<>>"});
}
bool IsOr(const Token& t) { return IsOneOf(t, {"or", "||", "\\/"}); }
bool IsAnd(const Token& t) { return IsOneOf(t, {"and", "&&", "/\\"}); }
bool IsNot(const Token& t) { return IsOneOf(t, {"not", "~"}); }

// Words that are operators or constants and so cannot name a variable.
bool IsReserved(const std::string& w) {
  return w == "and" || w == "or" || w == "not" || w == "true" || w == "false" || w == "inf" ||
         w == "nan";
}

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : toks_(std::move(tokens)) {}

  std::vector<Item> Program() {
    std::vector<Item> items;
    for (;;) {
      while (Peek().kind == Token::Kind::Separator) ++at_;
      if (Peek().kind == Token::Kind::End) break;
      Item item;
      try {
        item.statement = Statement_();
        item.ok = true;
      } catch (const Failure& f) {
        item.error = f.error;
        while (Peek().kind != Token::Kind::Separator && Peek().kind != Token::Kind::End) ++at_;
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
        f.error.found = "end of input";
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
  void ExpectStatementEnd() {
    if (!AtStatementEnd()) Fail("an operator or the end of the statement");
  }

  std::string VariableName(Position* pos) {
    const Token& t = Peek();
    if (t.kind != Token::Kind::Name || IsReserved(t.text)) Fail("a variable name");
    *pos = t.pos;
    return Take().text;
  }

  Statement Statement_() {
    Statement s;
    const Token& first = Peek();
    s.pos = first.pos;
    if (first.kind == Token::Kind::Name) {
      if (first.text == "param") {
        Take();
        s.kind = Statement::Kind::Param;
        do {
          Position p;
          s.names.push_back(VariableName(&p));
          s.namePos.push_back(p);
        } while (Peek().kind == Token::Kind::Comma && (Take(), true));
        ExpectStatementEnd();
        return s;
      }
      if (first.text == "option") {
        Take();
        s.kind = Statement::Kind::Option;
        const Token& name = Peek();
        if (!IsOneOf(name, {"gauss", "subst", "transfer", "divreplace"}) ||
            name.kind != Token::Kind::Name)
          Fail("an option name: gauss, subst, transfer or divreplace");
        s.option = Take().text;
        if (!IsOneOf(Peek(), {"on", "off"}) || Peek().kind != Token::Kind::Name) Fail("on or off");
        s.on = Take().text == "on";
        ExpectStatementEnd();
        return s;
      }
      if (first.text == "check") {
        Take();
        s.kind = Statement::Kind::Check;
        ExpectStatementEnd();
        return s;
      }
      if (first.text == "show") {
        Take();
        s.kind = Statement::Kind::Show;
        s.expr = Expression();
        ExpectStatementEnd();
        return s;
      }
      if (first.text == "diff") {
        Take();
        s.kind = Statement::Kind::Diff;
        s.expr = Expression();
        if (!(Peek().kind == Token::Kind::Name && Peek().text == "by")) Fail("'by' and a variable");
        Take();
        s.by = VariableName(&s.byPos);
        ExpectStatementEnd();
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
    if (!IsOneOf(Peek(), {"->"})) return left;
    const Token& op = Take();
    Nest nest(this, op);
    ExprPtr right = Implies();
    return Apply(op, std::move(left), std::move(right));
  }

  // Connectives are binary in the library, so a chain nests to the left.
  ExprPtr Or() {
    ExprPtr left = And();
    while (IsOr(Peek())) {
      const Token& op = Take();
      ExprPtr right = And();
      left = Apply(op, std::move(left), std::move(right));
    }
    return left;
  }

  ExprPtr And() {
    ExprPtr left = Not();
    while (IsAnd(Peek())) {
      const Token& op = Take();
      ExprPtr right = Not();
      left = Apply(op, std::move(left), std::move(right));
    }
    return left;
  }

  ExprPtr Not() {
    if (!IsNot(Peek())) return Relation();
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

  // A run of one operator becomes one n-ary operation; where the operator
  // changes, the run so far becomes the first operand of the next run:
  // a + b - c - d is "-"("+"(a, b), c, d). With merge false every operator
  // is binary: a / b / c is (a / b) / c.
  template <class Operand>
  ExprPtr Chain(std::initializer_list<const char*> ops, std::initializer_list<const char*> merging,
                Operand operand) {
    ExprPtr first = (this->*operand)();
    const Token* runOp = nullptr;
    std::vector<ExprPtr> run;
    run.push_back(std::move(first));
    while (Peek().kind == Token::Kind::Operator && IsOneOf(Peek(), ops)) {
      const Token& op = Take();
      ExprPtr next = (this->*operand)();
      if (runOp != nullptr && runOp->text == op.text && IsOneOf(op, merging)) {
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

  ExprPtr Additive() { return Chain({"+", "-"}, {"+", "-"}, &Parser::Multiplicative); }
  ExprPtr Multiplicative() { return Chain({"*", "/"}, {"*"}, &Parser::Unary); }

  ExprPtr Unary() {
    if (!IsOneOf(Peek(), {"-", "+"}) || Peek().kind != Token::Kind::Operator) return Power();
    const Token& op = Take();
    Nest nest(this, op);
    std::vector<ExprPtr> v;
    v.push_back(Unary());
    return Apply(op, std::move(v));
  }

  // x ^ y ^ z is x ^ (y ^ z); the exponent may carry a sign: x ^ -1.
  ExprPtr Power() {
    ExprPtr base = Primary();
    if (!IsOneOf(Peek(), {"^"})) return base;
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
        if (Peek(1).kind == Token::Kind::LParen && !IsOneOf(t, {"and", "or", "not"})) return Call();
        Take();
        if (t.text == "true" || t.text == "false") return MakeBoolean(t.text == "true", t.pos);
        if (t.text == "inf") return MakeNumber(HUGE_VAL, t.pos);
        if (t.text == "nan") return MakeNumber(NAN, t.pos);
        if (IsReserved(t.text)) FailAt(t, "an expression");
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
  size_t at_ = 0;
  int depth_ = 0;
};

}  // namespace

std::vector<Item> ParseProgram(const std::string& source) {
  return Parser(Tokenize(source)).Program();
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
