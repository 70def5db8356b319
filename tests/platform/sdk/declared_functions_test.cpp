// Every function the SDK's Win32 headers declare is exported by libhandset.so, so that a host
// program calling it links. Declarations are read from the headers' text: statements at file level
// (inside or outside an extern "C" block) whose name is followed by a parameter list; a C++
// overload counts as exported when a function of its name is.
#include <cxxabi.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/module_symbols.h"

namespace {

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The header without comments and preprocessor lines (continued lines included).
std::string CodeOnly(const std::string& text) {
  std::string withoutComments;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "//") == 0) {
      std::size_t end = text.find('\n', i);
      if (end == std::string::npos) break;
      i = end - 1;  // the line's end stays
    } else if (text.compare(i, 2, "/*") == 0) {
      std::size_t end = text.find("*/", i + 2);
      if (end == std::string::npos) break;
      i = end + 1;
    } else {
      withoutComments += text[i];
    }
  }
  std::string code;
  std::istringstream lines(withoutComments);
  bool continued = false;
  for (std::string line; std::getline(lines, line);) {
    std::size_t first = line.find_first_not_of(" \t");
    bool directive = continued || (first != std::string::npos && line[first] == '#');
    continued = directive && !line.empty() && line.back() == '\\';
    if (!directive) code += line + "\n";
  }
  return code;
}

// The file-level statements of the code; the braces of an extern "C" block do not count as a level.
std::vector<std::string> Statements(std::string code) {
  code = std::regex_replace(code, std::regex(R"(extern\s+"C"\s*\{)"), " ");
  std::vector<std::string> statements;
  std::string current;
  int depth = 0;
  for (char c : code) {
    if (c == '{') ++depth;
    if (c == '}') {
      // The closing brace of an extern "C" block, at file level.
      if (depth == 0) continue;
      --depth;
    }
    current += c;
    if (depth == 0 && c == ';') {
      statements.push_back(current);
      current.clear();
    }
  }
  return statements;
}

// The name of the function a statement declares, or "" when it declares none.
std::string DeclaredFunction(const std::string& statement) {
  static const std::regex kDeclaration(R"(^\s*[A-Za-z_][\w\s\*]*?[\s\*]([A-Za-z_]\w*)\s*\()");
  static const std::set<std::string> kNotFunctions = {"static_assert", "sizeof", "decltype"};
  std::smatch match;
  if (statement.find('{') != std::string::npos || std::regex_search(statement, std::regex(R"(^\s*typedef\b)")))
    return "";
  if (!std::regex_search(statement, match, kDeclaration) || kNotFunctions.contains(match[1])) return "";
  return match[1];
}

// The names of the functions a module exports, C++ ones without their parameters.
std::set<std::string> ExportedFunctionNames(const std::filesystem::path& module) {
  std::set<std::string> names;
  for (const std::string& symbol : testing_support::DefinedDynamicSymbols(module)) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> plain(abi::__cxa_demangle(symbol.c_str(), nullptr, nullptr, &status),
                                                      &std::free);
    std::string name = status == 0 && plain ? std::string(plain.get()) : symbol;
    names.insert(name.substr(0, name.find('(')));
  }
  return names;
}

TEST(SdkHeaders, TheReaderFindsDeclarationsAndNothingElse) {
  std::string header = R"(
#define NOT_A_FUNCTION(x) (x)
typedef LRESULT (*WNDPROC)(HWND, UINT);
typedef struct { int a; int (*b)(void); } RECORD;
static_assert(sizeof(RECORD) == 16);
extern "C" {
// A comment with a call(1);
DWORD GetThing(void);
const WCHAR* FindIt(const WCHAR* s,
                    WCHAR c);
HWND* __stdcallNot;
}
size_t wcslen(const WCHAR* s);
)";
  std::vector<std::string> found;
  for (const auto& statement : Statements(CodeOnly(header)))
    if (auto name = DeclaredFunction(statement); !name.empty()) found.push_back(name);
  EXPECT_EQ(found, (std::vector<std::string>{"GetThing", "FindIt", "wcslen"}));
}

TEST(SdkHeaders, EveryDeclaredFunctionIsExportedByTheHandset) {
  std::set<std::string> exported = ExportedFunctionNames(HANDSET_LIBRARY_FILE);
  ASSERT_TRUE(exported.contains("CreateWindowExW")) << "the handset library's exports could not be read";
  std::size_t declared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(HANDSET_SDK_HEADER_DIR)) {
    if (entry.path().extension() != ".h") continue;
    for (const auto& statement : Statements(CodeOnly(ReadFile(entry.path())))) {
      std::string name = DeclaredFunction(statement);
      if (name.empty()) continue;
      ++declared;
      EXPECT_TRUE(exported.contains(name)) << entry.path().filename().string() << " declares " << name
                                           << ", which libhandset.so does not export";
    }
  }
  EXPECT_GT(declared, 200u) << "the headers' declarations were not found";
}

}  // namespace
