#include "Lexer.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "Operators.h"

namespace zelcalc {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c); }

class Scanner {
 public:
  Scanner(const std::string& s, int firstLine) : src_(s) { pos_.line = firstLine; }

  std::vector<Token> Run() {
    std::vector<Token> out;
    while (i_ < src_.size()) {
      char c = src_[i_];
      if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
        Advance(1);
      } else if (c == '#') {
        while (i_ < src_.size() && src_[i_] != '\n') Advance(1);
      } else if (c == '\n' || c == ';') {
        out.push_back(Simple(Token::Kind::Separator, 1));
      } else if (c == '(') {
        out.push_back(Simple(Token::Kind::LParen, 1));
      } else if (c == ')') {
        out.push_back(Simple(Token::Kind::RParen, 1));
      } else if (c == ',') {
        out.push_back(Simple(Token::Kind::Comma, 1));
      } else if (IsDigit(c) || (c == '.' && i_ + 1 < src_.size() && IsDigit(src_[i_ + 1]))) {
        out.push_back(Number());
      } else if (IsIdentStart(c)) {
        size_t n = 1;
        while (i_ + n < src_.size() && IsIdentChar(src_[i_ + n])) ++n;
        out.push_back(Simple(Token::Kind::Name, n));
      } else {
        out.push_back(OperatorOrError());
      }
    }
    Token end;
    end.kind = Token::Kind::End;
    end.pos = pos_;
    out.push_back(end);
    return out;
  }

 private:
  void Advance(size_t n) {
    for (size_t k = 0; k < n && i_ < src_.size(); ++k, ++i_) {
      if (src_[i_] == '\n') {
        ++pos_.line;
        pos_.column = 1;
      } else {
        ++pos_.column;
      }
    }
  }

  Token Simple(Token::Kind kind, size_t n) {
    Token t;
    t.kind = kind;
    t.pos = pos_;
    t.text = src_.substr(i_, n);
    Advance(n);
    return t;
  }

  Token Number() {
    size_t n = 0;
    while (i_ + n < src_.size() && IsDigit(src_[i_ + n])) ++n;
    if (i_ + n < src_.size() && src_[i_ + n] == '.') {
      ++n;
      while (i_ + n < src_.size() && IsDigit(src_[i_ + n])) ++n;
    }
    bool badExponent = false;
    if (i_ + n < src_.size() && (src_[i_ + n] == 'e' || src_[i_ + n] == 'E')) {
      size_t m = n + 1;
      if (i_ + m < src_.size() && (src_[i_ + m] == '+' || src_[i_ + m] == '-')) ++m;
      if (i_ + m < src_.size() && IsDigit(src_[i_ + m])) {
        while (i_ + m < src_.size() && IsDigit(src_[i_ + m])) ++m;
      } else {
        badExponent = true;
      }
      n = m;
    }
    // A name glued to a number ("2x", "1e5y") is a mistake, not two tokens.
    while (i_ + n < src_.size() && IsIdentChar(src_[i_ + n])) {
      badExponent = true;
      ++n;
    }
    Token t = Simple(Token::Kind::Number, n);
    if (badExponent) {
      t.kind = Token::Kind::Error;
      t.message = "a number (digits, optional decimals, optional exponent such as e-3)";
      return t;
    }
    errno = 0;
    t.value = std::strtod(t.text.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(t.value)) {
      t.kind = Token::Kind::Error;
      t.message = "a number within the range of a double (write inf for infinity)";
    }
    // 1e-999 would silently read as 0; numbers that keep some digits (1e-310) pass.
    if (errno == ERANGE && t.value == 0) {
      t.kind = Token::Kind::Error;
      t.message = "a number within the range of a double (this one is too small to be told from 0)";
    }
    return t;
  }

  Token OperatorOrError() {
    for (const std::string& op : SymbolSpellings())
      if (src_.compare(i_, op.size(), op) == 0) return Simple(Token::Kind::Operator, op.size());
    Token t = Simple(Token::Kind::Error, 1);
    t.message = "an operator, a name, a number or a parenthesis";
    return t;
  }

  const std::string& src_;
  size_t i_ = 0;
  Position pos_;
};

}  // namespace

std::vector<Token> Tokenize(const std::string& source, int firstLine) {
  return Scanner(source, firstLine).Run();
}

std::string Printable(const std::string& text) {
  std::string out;
  const size_t limit = 40;
  for (size_t k = 0; k < text.size() && k < limit; ++k) {
    unsigned char c = static_cast<unsigned char>(text[k]);
    if (c >= 0x20 && c < 0x7f) {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  if (text.size() > limit) out += "...";
  return out;
}

}  // namespace zelcalc
