# Checks `nm -D` of the shared library in both directions: every public name
# is exported, and no internal factory or helper is.
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
  "ZELS3LinearVariable::SetExpression(ZELS3Node*)")
set(forbidden
  "CreateOperation" "CreateUnaryOperation" "CreateBinaryOperation" "CreateTernaryOperation"
  "SimplifySum" "SimplifyProd" "SimplifyMinMax" "ReduceSum" "RebuildForOutput"
  "ZELS3Node::Transfer" "ZELS3Node::ProcessEquation" "ZELS3Node::AddArg"
  "ZELS3Node::CalculateSignature" "ZELS3Node::scalc" "_Error" "zeltav::")

set(failed "")
foreach(name IN LISTS required)
  string(FIND "${symbols}" "${name}" pos)
  if(pos EQUAL -1)
    string(APPEND failed "\n  not exported: ${name}")
  endif()
endforeach()
foreach(name IN LISTS forbidden)
  string(FIND "${symbols}" "${name}" pos)
  if(NOT pos EQUAL -1)
    string(APPEND failed "\n  exported but internal: ${name}")
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "export check failed:${failed}")
endif()
message(STATUS "exports ok")
