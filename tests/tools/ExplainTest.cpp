#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Explain.h"
#include "Session.h"

namespace zelcalc {
namespace {

// A name and the library function it looks like; empty when none.
struct Lookalike {
  const char* name;
  const char* function;
};
const Lookalike kLookalikes[] = {
    {"Sin", "sin"},    // another case
    {"SQRT", "sqrt"},  // another case
    {"sinn", "sin"},   // a letter added; sin shares a longer start than sign
    {"expp", "exp"},   // a letter added
    {"cosh", "cos"},   // a letter added
    {"sqr", "sqrt"},   // a letter missing
    {"atna", "atan"},  // two letters swapped
    {"sin", ""},       // a library function itself
    {"f", ""},         // shorter than three letters
    {"ab", ""},        // shorter than three letters, though one edit from abs
    {"length", ""},    // no function one edit away
};

TEST(Explain, SuggestsTheLibraryFunctionANameIsOneEditFrom) {
  for (const Lookalike& c : kLookalikes) EXPECT_EQ(LookalikeFunction(c.name), c.function) << c.name;
}

class WithSession : public ::testing::Test {
 protected:
  std::ostringstream out, err;
  Session session{out, err, Settings{}};
};

TEST_F(WithSession, FalseRelationsBetweenNumbersAreFoundAndOthersAreNot) {
  for (const char* text : {"2 = 3", "1 > 2", "true = false", "0 <> 0"})
    EXPECT_TRUE(IsFalseBetweenNumbers(session.Build(text))) << text;
  for (const char* text : {"2 = 2", "x = 3", "1 < 2", "x", "f(1) = 2"})
    EXPECT_FALSE(IsFalseBetweenNumbers(session.Build(text))) << text;
}

// A false relation, the transfer option and the relation the processed system prints.
struct Processed {
  const char* relation;
  bool transfer;
  const char* printed;
};
const Processed kProcessed[] = {
    {"2 == 3", true, "-1 = 0"},              // moved to the left, output spelling
    {"2 == 3", false, "2 = 3"},              // output spelling only
    {"true <<>> true", true, "0 <> 0"},      // true - true folds to 0
    {"true = false", true, "true = false"},  // true - false is no number
    {"1e308 = -1e308", true, "inf = 0"},     // the difference overflows
};

TEST_F(WithSession, AFalseRelationIsNamedAsTheProcessedSystemPrintsIt) {
  for (const Processed& c : kProcessed)
    EXPECT_EQ(ProcessedRelation(session.Build(c.relation), c.transfer, session.printer()),
              c.printed)
        << c.relation;
}

// A statement that sets the error code and what the explanation says of it.
struct Explained {
  const char* input;
  const char* why;
};
const Explained kExplained[] = {
    {"show sin()", "sin takes exactly one argument; 'sin()' has 0"},  // the library builds 0
    {"show sign(x, 1, 2)", "sign takes exactly one argument; 'sign(x, 1, 2)' has 3"},
    {"show min(x)", "min takes two or more arguments (or none); 'min(x)' has one"},
};

TEST(Explain, SaysWhatTheFirstErrorMeansInTheStatementThatSetIt) {
  for (const Explained& c : kExplained) {
    std::ostringstream out, err;
    Session session{out, err, Settings{}};
    session.Run(c.input, "in.zel");
    EXPECT_NE(err.str().find(c.why), std::string::npos) << err.str();
  }
}

}  // namespace
}  // namespace zelcalc
