// ZELMsgCatalog: an in-memory store of message texts keyed by catalog and
// key, filled with the English texts of the symbolic calculator's errors.
// "%1" .. "%9" in a text stand for the parameters.
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <utility>

#include "ZELTavSymbolicCalculator/Host.h"

namespace {

typedef std::map<std::pair<std::string, std::string>, std::string> Store;

Store& Messages() {
  static Store store = [] {
    const std::string catalog = "OrbelinErrMessages";
    Store s;
    s[{catalog, "Symbolic.cantDiff"}] =
        "cannot differentiate: the expression holds a relation, a logical operation, sign, min "
        "or max (code %1)";
    s[{catalog, "Symbolic.zeroDivide"}] = "division by zero (code %1)";
    s[{catalog, "Symbolic.domainLog"}] = "logarithm of a number that is zero or negative (code %1)";
    s[{catalog, "Symbolic.domainSqrt"}] = "square root of a negative number (code %1)";
    s[{catalog, "Symbolic.domainAsin"}] =
        "arc sine of a number outside the range -1 to 1 (code %1)";
    s[{catalog, "Symbolic.domainAcos"}] =
        "arc cosine of a number outside the range -1 to 1 (code %1)";
    s[{catalog, "Symbolic.inconSys"}] =
        "the system of constraints is inconsistent: it has no solution (code %1)";
    s[{catalog, "Symbolic.default"}] = "internal or usage error (code %1)";
    return s;
  }();
  return store;
}

// "code %1" with parameter "42" -> "code 42". A "%n" without a parameter
// stays as it is.
std::string Substitute(const std::string& text, const std::string* params, int count) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const int n = text[i + 1] - '1';
      if (n < count) {
        out += params[n];
        ++i;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

}  // namespace

// Unknown catalog or key: the default message if it is not empty, else a
// text naming the catalog, the key and the parameters, so that the result is
// never blank.
ZELUnicodeString ZELMsgCatalog::BuildMessage(const ZELString& catalog, const ZELString& key,
                                             const ZELUnicodeString* params, int count,
                                             const ZELUnicodeString& defaultMessage) {
  if (params == nullptr || count < 0) count = 0;
  std::string values[9];
  const int used = count < 9 ? count : 9;
  for (int i = 0; i < used; ++i) values[i] = params[i].ToUtf8();

  std::string text;
  const Store& store = Messages();
  const Store::const_iterator found = store.find({std::string(catalog), std::string(key)});
  if (found != store.end() && !found->second.empty()) {
    text = Substitute(found->second, values, used);
  } else if (!defaultMessage.ToUtf8().empty()) {
    text = Substitute(defaultMessage.ToUtf8(), values, used);
  } else {
    text = "message '" + std::string(key) + "' of catalog '" + std::string(catalog) + "'";
    text += " (parameters:";
    for (int i = 0; i < count; ++i) text += " " + params[i].ToUtf8();
    text += ")";
  }

  ZELUnicodeString result;
  char* copy = new (std::nothrow) char[text.size() + 1];
  if (copy != nullptr) {
    std::memcpy(copy, text.c_str(), text.size() + 1);
    result.utf8_ = copy;
  }
  return result;
}

void ZELMsgCatalog::SetMessage(const ZELString& catalog, const ZELString& key, const char* text) {
  Messages()[{std::string(catalog), std::string(key)}] = text != nullptr ? text : "";
}
