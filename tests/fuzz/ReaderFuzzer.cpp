// Runs arbitrary text through zelcalc's readers and the whole pipeline: the
// lexer and parser, every statement kind (constraints, options, params, show,
// check, diff), the output pass and both printers; then the same text as an
// SMT-LIB script through the SMT-LIB reader and writer. The first byte picks the
// session settings, the rest is the program. Any crash, sanitizer report or
// leak is a finding, and so is an exit status other than 0, 1 or 2.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "Options.h"
#include "Parser.h"
#include "Session.h"
#include "SmtSession.h"

namespace {

// -1 (the calculator's default), 0 or 1 from two bits.
int Option(unsigned bits) { return bits == 3 ? -1 : static_cast<int>(bits & 1); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const unsigned head = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  zelcalc::Settings settings;
  const auto& table = zelcalc::OptionTable();
  settings.options.assign(table.size(), -1);
  auto set = [&](const char* name, int value) {
    settings.options[static_cast<size_t>(zelcalc::FindOption(name) - table.data())] = value;
  };
  set("gauss", Option(head & 3));
  set("subst", Option((head >> 2) & 3));
  set("transfer", Option((head >> 4) & 3));
  set("divreplace", Option((head >> 6) & 1 ? 3 : 1));
  settings.raw = (head & 0x80) != 0;  // dotPath stays empty: no files

  // The reader alone: every item is either a statement or an error with a
  // position inside the text.
  for (const zelcalc::Item& item : zelcalc::ParseProgram(text)) {
    if (item.ok) {
      if (item.statement.expr) (void)zelcalc::ToSExpr(*item.statement.expr);
    } else if (item.error.pos.line < 1 || item.error.pos.column < 1) {
      __builtin_trap();
    }
  }

  std::ostringstream out;
  std::ostringstream err;
  {
    zelcalc::Session session(out, err, settings);
    int status = session.Run(text, "<fuzz>");
    if (status != zelcalc::kExitOk && status != zelcalc::kExitSyntax &&
        status != zelcalc::kExitLibraryError)
      __builtin_trap();
  }

  // The same text as an SMT-LIB script, written back as SMT-LIB.
  {
    zelcalc::Settings smt = settings;
    smt.smtOutput = true;
    int status = zelcalc::RunSmt(text, "<fuzz>", out, err, smt);
    if (status != zelcalc::kExitOk && status != zelcalc::kExitSyntax &&
        status != zelcalc::kExitLibraryError)
      __builtin_trap();
  }

  // The same text as one expression, built and printed both ways in a fresh
  // session.
  zelcalc::SyntaxError error;
  if (zelcalc::ExprPtr e = zelcalc::ParseExpression(text, &error)) {
    zelcalc::Session session(out, err, settings);
    ZELS3Node* n = session.Build(*e);
    (void)session.printer().Infix(n);
    (void)session.printer().Raw(n);
  }
  return 0;
}
