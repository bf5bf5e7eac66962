# Checks `nm -D` of the shared library in both directions: every public name
# is exported, and nothing else is: no internal factory or helper, no private
# member of a public class, and no standard-library instantiation over the
# public types.
execute_process(COMMAND nm -D --defined-only -C ${LIB}
  OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIB}")
endif()

set(required
  "ORVANE_KOSMA_FWK2_INTERNAL_ZELTavSymbolicCalculator"
  "CreateExpression(unsigned long long, unsigned char)"
  "CreateExpression(unsigned char)"
  "CreateExpression(double)"
  "CreateExpression(ZELString const&, ZELICVectorImp<ZELS3Node> const&)"
  "CreateExpression(ZELString const&, ZELICVectorImp<ZELS3Node> const*)"
  " SetError(int)"
  " GetZero()" " GetOne()" " GetTwo()" " GetMinesOne()" " GetMinesTwo()" " GetTrue()" " GetFalse()"
  "ZELSymbolicCalculator::ZELSymbolicCalculator()"
  "ZELSymbolicCalculator::AddEquation(ZELS3Node*)"
  "ZELSymbolicCalculator::AddExactVariable(unsigned long long, double)"
  "ZELSymbolicCalculator::AddLinearVariable(unsigned long long, ZELS3Node*)"
  "ZELSymbolicCalculator::ProcessGauss(ZELS3Node*)"
  "ZELSymbolicCalculator::Simplify()"
  "ZELSymbolicCalculator::GetEquation(unsigned int) const"
  "ZELSymbolicCalculator::BuildErrorMsg(int) const"
  "ZELSymbolicCalculator::SetError(int)"
  "ZELS3Node::Diff(unsigned long long) const"
  "ZELS3Node::Equal(ZELS3Node const*) const"
  "ZELS3Node::GetArg(unsigned int) const"
  "ZELS3Node::ZELS3Node(ZELNodeType)"
  "ZELICVectorImp<ZELS3Node>::Add(ZELS3Node*)"
  "ZELICVectorImp<ZELS3ExactVariable>::Add(ZELS3ExactVariable*)"
  "ZELICVectorImp<ZELS3LinearVariable>::Add(ZELS3LinearVariable*)"
  "ZELICVectorIteratorImp<ZELS3Node>::Current() const"
  "ZELICVectorIteratorImp<ZELS3ExactVariable>::Current() const"
  "ZELICVectorIteratorImp<ZELS3LinearVariable>::Current() const"
  "ZELS3ExactVariable::ZELS3ExactVariable(unsigned long long, ZELS3Node*)"
  "ZELS3LinearVariable::SetExpression(ZELS3Node*)"
  "vtable for ZELICVectorImp<ZELS3Node>")

# Members of the public classes that only the library calls.
set(forbidden
  "::ReduceSum(" "::RebuildForOutput(" "::Holds(" "::FillPairs(" "::Transfer(" "::ProcessEquation("
  "::AddArg(" "::CalculateSignature(" "::scalc" "::_Error" "::sZero" "::sMinesOne")

# What may be exported at all: members, type information and virtual tables of
# the public classes, and the free functions of the public header.
set(public_class "(ZELS3Node|ZELS3ExactVariable|ZELS3LinearVariable|ZELSymbolicCalculator|ZELICVector(Iterator)?Imp<ZELS3(Node|ExactVariable|LinearVariable)>)")
set(allowed
  "^${public_class}::"
  "^(typeinfo|typeinfo name|vtable) for ${public_class}$"
  "^CreateExpression\\("
  "^SetError\\(int\\)$"
  "^Get(Zero|One|Two|MinesOne|MinesTwo|True|False)\\(\\)$"
  "^ORVANE_KOSMA_FWK2_INTERNAL_ZELTavSymbolicCalculator$")

set(failed "")
foreach(name IN LISTS required)
  string(FIND "${symbols}" "${name}" pos)
  if(pos EQUAL -1)
    string(APPEND failed "\n  not exported: ${name}")
  endif()
endforeach()

string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
set(count 0)
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^[0-9a-f]+ [A-Za-z] (.+)$")
    continue()
  endif()
  set(name "${CMAKE_MATCH_1}")
  math(EXPR count "${count} + 1")
  set(ok FALSE)
  foreach(pattern IN LISTS allowed)
    if(name MATCHES "${pattern}")
      set(ok TRUE)
      break()
    endif()
  endforeach()
  foreach(word IN LISTS forbidden)
    string(FIND "${name}" "${word}" pos)
    if(NOT pos EQUAL -1)
      set(ok FALSE)
    endif()
  endforeach()
  if(NOT ok)
    string(APPEND failed "\n  exported but not public: ${name}")
  endif()
endforeach()
if(count LESS 100)
  string(APPEND failed "\n  only ${count} symbols read from nm")
endif()

if(failed)
  message(FATAL_ERROR "export check failed:${failed}")
endif()
message(STATUS "exports ok (${count} symbols)")
