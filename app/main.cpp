#include "app/run_calculator.h"

int main(int argc, char* argv[]) { return duct::RunCalculator(argc, argv); }
