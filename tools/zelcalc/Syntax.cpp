#include "Syntax.h"

#include <zeltav_support/NumberFormat.h>

#include <algorithm>

namespace zelcalc {

ExprPtr MakeNumber(double value, Position pos) {
  auto e = std::make_unique<Expr>();
  e->kind = Expr::Kind::Number;
  e->number = value;
  e->pos = pos;
  return e;
}

ExprPtr MakeBoolean(bool value, Position pos) {
  auto e = std::make_unique<Expr>();
  e->kind = Expr::Kind::Boolean;
  e->boolean = value;
  e->pos = pos;
  return e;
}

ExprPtr MakeName(std::string name, Position pos) {
  auto e = std::make_unique<Expr>();
  e->kind = Expr::Kind::Name;
  e->text = std::move(name);
  e->pos = pos;
  return e;
}

ExprPtr MakeApply(std::string spelling, std::vector<ExprPtr> args, Position pos, bool call) {
  auto e = std::make_unique<Expr>();
  e->kind = Expr::Kind::Apply;
  e->text = std::move(spelling);
  e->call = call;
  e->pos = pos;
  for (const ExprPtr& a : args) e->height = std::max(e->height, a->height + 1);
  e->args = std::move(args);
  return e;
}

std::string ToSExpr(const Expr& e) {
  switch (e.kind) {
    case Expr::Kind::Number:
      return zeltav_support::FormatNumber(e.number);
    case Expr::Kind::Boolean:
      return e.boolean ? "true" : "false";
    case Expr::Kind::Name:
      return e.text;
    case Expr::Kind::Apply: {
      std::string s = "(" + e.text;
      for (const ExprPtr& a : e.args) s += " " + ToSExpr(*a);
      return s + ")";
    }
  }
  return std::string();
}

}  // namespace zelcalc
