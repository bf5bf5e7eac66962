#include "SmtSyntax.h"

#include <cctype>
#include <cerrno>
#include <cstring>

#include "Lexer.h"
#include "LineReader.h"

namespace zelcalc {
namespace {

bool SymbolChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 ||
         (c != '\0' && std::strchr("~!@$%^&*_-+=<>.?/", c) != nullptr);
}

bool AllDigits(const std::string& s, std::size_t from, std::size_t to) {
  if (from >= to) return false;
  for (std::size_t i = from; i < to; ++i)
    if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
  return true;
}

}  // namespace

const std::string& SExpr::Head() const {
  static const std::string none;
  if (kind != Kind::List || items.empty() || items[0].kind != Kind::Symbol) return none;
  return items[0].text;
}

std::string SmtSymbol(const std::string& name) {
  bool simple = !name.empty() && !std::isdigit(static_cast<unsigned char>(name[0]));
  for (char c : name) simple = simple && SymbolChar(c);
  return simple ? name : "|" + name + "|";
}

void SExprReader::Advance() {
  if (text_[pos_] == '\n') {
    ++at_.line;
    at_.column = 1;
  } else {
    ++at_.column;
  }
  ++pos_;
}

void SExprReader::SkipSpace() {
  while (pos_ < text_.size()) {
    char c = text_[pos_];
    if (c == ';') {
      while (pos_ < text_.size() && text_[pos_] != '\n') Advance();
    } else if (std::isspace(static_cast<unsigned char>(c))) {
      Advance();
    } else {
      return;
    }
  }
}

// One atom at the current position: a symbol, keyword, number, string or
// quoted symbol.
bool SExprReader::Atom(SExpr* atom, SyntaxError* error) {
  atom->pos = at_;
  atom->items.clear();
  const char c = Peek();
  if (c == '|' || c == '"') {
    Advance();
    std::string s;
    for (;;) {
      if (pos_ >= text_.size()) {
        *error = {atom->pos, "end of input", c == '|' ? "the closing '|'" : "the closing '\"'"};
        return false;
      }
      char d = text_[pos_];
      Advance();
      if (d == c) {
        // "" inside a string is one quote.
        if (c == '"' && Peek() == '"') {
          Advance();
        } else {
          break;
        }
      }
      s += d;
    }
    atom->kind = c == '|' ? SExpr::Kind::Symbol : SExpr::Kind::String;
    atom->text = s;
    return true;
  }
  const std::size_t start = pos_;
  while (pos_ < text_.size() &&
         (SymbolChar(text_[pos_]) || text_[pos_] == ':' || text_[pos_] == '#')) {
    Advance();
  }
  if (pos_ == start) {
    *error = {atom->pos, "'" + Printable(std::string(1, c)) + "'", "an s-expression"};
    Advance();
    return false;
  }
  atom->text = text_.substr(start, pos_ - start);
  const std::string& t = atom->text;
  const std::size_t dot = t.find('.');
  if (t[0] == ':') {
    atom->kind = SExpr::Kind::Keyword;
  } else if (t[0] == '#') {
    atom->kind = SExpr::Kind::Binary;
  } else if (AllDigits(t, 0, t.size())) {
    atom->kind = SExpr::Kind::Numeral;
  } else if (dot != std::string::npos && AllDigits(t, 0, dot) && AllDigits(t, dot + 1, t.size())) {
    atom->kind = SExpr::Kind::Decimal;
  } else if (std::isdigit(static_cast<unsigned char>(t[0]))) {
    *error = {atom->pos, "'" + Printable(t) + "'", "a number or a symbol"};
    return false;
  } else {
    atom->kind = SExpr::Kind::Symbol;
  }
  return true;
}

// Skips to the end of the top-level expression after an error inside it, so
// that the next one is read from its start.
void SExprReader::SkipList(std::size_t depth) {
  while (pos_ < text_.size() && depth > 0) {
    const char c = Peek();
    if (c == '|' || c == '"') {
      Advance();
      while (pos_ < text_.size() && Peek() != c) Advance();
    } else if (c == ';') {
      while (pos_ < text_.size() && Peek() != '\n') Advance();
      continue;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')') {
      --depth;
    }
    if (pos_ < text_.size()) Advance();
  }
}

SExprReader::Result SExprReader::Next(SExpr* out, SyntaxError* error) {
  SkipSpace();
  if (pos_ >= text_.size()) return Result::End;
  if (Peek() == ')') {
    *error = {at_, "')'", "'(' or an atom"};
    Advance();
    return Result::Error;
  }
  if (Peek() != '(') {
    bool ok = Atom(out, error);
    return ok ? Result::Ok : Result::Error;
  }
  // Lists are read with an explicit stack: nesting never grows the call stack.
  std::vector<SExpr> open;
  for (;;) {
    SkipSpace();
    if (pos_ >= text_.size()) {
      *error = {at_, "end of input", "')'"};
      return Result::Error;
    }
    const char c = Peek();
    if (c == '(') {
      if (static_cast<int>(open.size()) >= kMaxSmtNesting) {
        *error = {at_, "'('", "at most " + std::to_string(kMaxSmtNesting) + " nested lists"};
        SkipList(open.size());
        return Result::Error;
      }
      SExpr list;
      list.kind = SExpr::Kind::List;
      list.pos = at_;
      open.push_back(std::move(list));
      Advance();
    } else if (c == ')') {
      Advance();
      SExpr done = std::move(open.back());
      open.pop_back();
      if (open.empty()) {
        *out = std::move(done);
        return Result::Ok;
      }
      open.back().items.push_back(std::move(done));
    } else {
      SExpr atom;
      if (!Atom(&atom, error)) {
        SkipList(open.size());
        return Result::Error;
      }
      open.back().items.push_back(std::move(atom));
    }
  }
}

SmtCommandReader::SmtCommandReader(const std::string& text, std::size_t maxBytes)
    : maxBytes_(maxBytes), buffer_(text), eof_(true) {}

bool SmtCommandReader::Fill() {
  if (fd_ < 0 || eof_ || error_ != 0) return false;
  char chunk[65536];
  const ssize_t n = ReadSome(fd_, chunk, sizeof chunk);
  if (n > 0) {
    buffer_.assign(chunk, static_cast<std::size_t>(n));
    at_ = 0;
    return true;
  }
  if (n == 0) {
    eof_ = true;
  } else {
    error_ = errno;
  }
  return false;
}

int SmtCommandReader::Peek() {
  if (at_ == buffer_.size() && !Fill()) return -1;
  return static_cast<unsigned char>(buffer_[at_]);
}

int SmtCommandReader::Get() {
  const int c = Peek();
  if (c < 0) return c;
  ++at_;
  if (c == '\n') {
    ++pos_.line;
    pos_.column = 1;
  } else {
    ++pos_.column;
  }
  return c;
}

SmtCommandReader::Result SmtCommandReader::Next(std::string* command, Position* start) {
  command->clear();
  for (int c = Peek(); c >= 0 && (std::isspace(c) || c == ';'); c = Peek()) {
    if (c == ';') {
      while ((c = Get()) >= 0 && c != '\n') {
      }
    } else {
      Get();
    }
  }
  if (Peek() < 0) return error_ != 0 ? Result::Error : Result::End;
  *start = pos_;
  bool tooLong = false;
  auto keep = [&](int c) {
    if (tooLong) return;
    if (command->size() < maxBytes_) {
      command->push_back(static_cast<char>(c));
      return;
    }
    tooLong = true;
    std::string().swap(*command);
  };
  // A quoted symbol or string: up to the closing quote ("" in a string reads
  // as two strings, which ends at the same place).
  auto quoted = [&](int close) {
    int c;
    while ((c = Get()) >= 0) {
      keep(c);
      if (c == close) return;
    }
  };
  int depth = 0;
  for (;;) {
    const int c = depth == 0 ? Peek() : Get();
    if (c < 0) break;
    if (depth == 0) {
      // At the top level: an atom ends before a space, a parenthesis or a
      // comment; a list or a stray ')' starts here.
      if (!command->empty() || tooLong) {
        if (std::isspace(c) || c == '(' || c == ')' || c == ';') break;
      }
      Get();
      keep(c);
      if (c == ')' && command->size() == 1) break;
      if (c == '(') ++depth;
      if (c == '|' || c == '"') quoted(c);
      continue;
    }
    keep(c);
    if (c == '(') {
      ++depth;
    } else if (c == ')') {
      if (--depth == 0) break;
    } else if (c == ';') {
      int d;
      while ((d = Get()) >= 0) {
        keep(d);
        if (d == '\n') break;
      }
    } else if (c == '|' || c == '"') {
      quoted(c);
    }
  }
  if (error_ != 0) return Result::Error;
  return tooLong ? Result::TooLong : Result::Command;
}

}  // namespace zelcalc
