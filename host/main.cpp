#include <unistd.h>

#include <iostream>

#include "commands/commands.h"
#include "descriptor_output.h"

int main(int argc, char** argv) {
  vlmhost::DescriptorOutput standardOutput(STDOUT_FILENO);
  std::ostream out(&standardOutput);
  return vlmhost::Run(argc, argv, out, std::cerr);
}
