#include <unistd.h>

#include <iostream>

#include "commands/commands.h"
#include "descriptor_output.h"

int main(int argc, char** argv) {
  vlmhost::DescriptorOutput standardOutput(STDOUT_FILENO);
  std::ostream out(&standardOutput);
  return vlmhost::Run(argc, argv, out, std::cerr);
}

// fontconfig keeps its caches until the process ends: a sanitizer build of vlmhost reports no
// leak of them.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
