#include <iostream>

#include "commands/commands.h"

int main(int argc, char** argv) { return vlmhost::Run(argc, argv, std::cout, std::cerr); }
