// zelcalc: reads a constraint system, runs it through the symbolic calculator
// and prints what the calculator made of it.
#include <unistd.h>

#include <iostream>

#include "CommandLine.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return zelcalc::RunCommand(argc, argv, STDIN_FILENO, std::cout, std::cerr);
}
