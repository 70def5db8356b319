// The resources of one module, as the standard .res format carries them: each resource has a type
// and a name (a 16-bit number or a name), a language and its bytes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace handset::resources {

// A resource type or name. Names compare without regard to case, so they are kept upper-cased.
struct ResourceId {
  WORD number = 0;
  std::u16string name;  // empty for a numbered id

  static ResourceId Number(WORD number) { return ResourceId{number, {}}; }
  static ResourceId Name(std::u16string_view name);
  // An argument of FindResourceW: an integer resource (MAKEINTRESOURCE), "#123" for the number 123,
  // or a name. Null for a null argument.
  static std::optional<ResourceId> FromArgument(LPCWSTR argument);

  bool operator==(const ResourceId&) const = default;
};

struct Resource {
  ResourceId type;
  ResourceId name;
  LANGID language = 0;
  std::vector<std::byte> data;  // stays where it is for the lifetime of the set
};

class ResourceSet {
 public:
  explicit ResourceSet(std::vector<Resource> resources) : resources_(std::move(resources)) {}

  // Reads a .res image: a sequence of DWORD-aligned records, each a RESOURCEHEADER and its data.
  // Nothing (and a reason in `error`) when a record runs past the image or is malformed.
  static std::optional<ResourceSet> Parse(std::span<const std::byte> image, std::string& error);

  // The resource of that type and name. Among its languages: `preferred` itself, then the same
  // primary language, then a neutral one, then US English, then the first one the module carries.
  const Resource* Find(const ResourceId& type, const ResourceId& name, LANGID preferred) const;
  bool HasType(const ResourceId& type) const;
  // The names of the resources of a type, each once, in the order of the set.
  std::vector<ResourceId> Names(const ResourceId& type) const;
  // The resource whose bytes hold `address`, if any: what a caller that hands in a pointer to a
  // loaded resource (a dialog template) is showing.
  const Resource* Containing(const void* address) const;
  bool Empty() const { return resources_.empty(); }

 private:
  std::vector<Resource> resources_;
};

}  // namespace handset::resources
