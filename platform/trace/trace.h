// Recording side of the call trace, used by the subsystems at the calls that tests watch.
#pragma once

#include <initializer_list>
#include <string>

namespace handset::trace {

bool Enabled();
void Record(std::string function, std::initializer_list<std::string> args);

}  // namespace handset::trace
