#include "resources/resource_set.h"

#include <algorithm>

#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>

#include "core/names.h"

namespace handset::resources {
namespace {

constexpr WORD kNumberMarker = 0xFFFF;
constexpr WORD kEnglishUS = 0x0409;

WORD PrimaryLanguage(LANGID language) { return language & 0x3FF; }

class RecordReader {
 public:
  RecordReader(std::span<const std::byte> image, std::size_t start, std::size_t end)
      : image_(image), position_(start), end_(end) {}

  template <class T>
  bool Read(T& value) {
    if (end_ - position_ < sizeof(T)) return false;
    std::memcpy(&value, image_.data() + position_, sizeof(T));
    position_ += sizeof(T);
    return true;
  }

  // A type or name field: 0xFFFF and a number, or a zero-terminated UTF-16 name.
  bool ReadId(ResourceId& id) {
    WORD first = 0;
    if (!Read(first)) return false;
    if (first == kNumberMarker) {
      id = ResourceId{};
      return Read(id.number);
    }
    std::u16string name;
    for (WORD unit = first; unit != 0;) {
      name += static_cast<char16_t>(unit);
      if (!Read(unit)) return false;
    }
    id = ResourceId::Name(name);
    return true;
  }

  bool AlignToDword(std::size_t recordStart) {
    std::size_t aligned = recordStart + ((position_ - recordStart + 3) & ~std::size_t{3});
    if (aligned > end_) return false;
    position_ = aligned;
    return true;
  }

 private:
  std::span<const std::byte> image_;
  std::size_t position_;
  std::size_t end_;
};

}  // namespace

ResourceId ResourceId::Name(std::u16string_view name) { return ResourceId{0, core::UpperCase(name)}; }

std::optional<ResourceId> ResourceId::FromArgument(LPCWSTR argument) {
  if (argument == nullptr) return std::nullopt;
  if (IS_INTRESOURCE(argument)) return Number(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(argument)));
  std::u16string_view text(argument);
  if (text.size() > 1 && text[0] == u'#') {
    unsigned long number = 0;
    for (char16_t c : text.substr(1)) {
      if (c < u'0' || c > u'9' || number > 0xFFFF) return Name(text);
      number = number * 10 + (c - u'0');
    }
    if (number <= 0xFFFF) return Number(static_cast<WORD>(number));
  }
  return Name(text);
}

std::optional<ResourceSet> ResourceSet::Parse(std::span<const std::byte> image, std::string& error) {
  std::vector<Resource> resources;
  std::size_t offset = 0;
  while (image.size() - offset >= 8) {
    DWORD dataSize = 0, headerSize = 0;
    RecordReader sizes(image, offset, image.size());
    sizes.Read(dataSize);
    sizes.Read(headerSize);
    if (headerSize < 8 || headerSize > image.size() - offset || dataSize > image.size() - offset - headerSize) {
      error = "resource record at offset " + std::to_string(offset) + " runs past the end";
      return std::nullopt;
    }
    Resource resource;
    RecordReader header(image, offset + 8, offset + headerSize);
    DWORD dataVersion = 0, version = 0, characteristics = 0;
    WORD memoryFlags = 0;
    if (!header.ReadId(resource.type) || !header.ReadId(resource.name) || !header.AlignToDword(offset) ||
        !header.Read(dataVersion) || !header.Read(memoryFlags) || !header.Read(resource.language) ||
        !header.Read(version) || !header.Read(characteristics)) {
      error = "resource header at offset " + std::to_string(offset) + " is malformed";
      return std::nullopt;
    }
    // The image starts with an empty record (type 0) that only marks the format.
    if (!(resource.type.name.empty() && resource.type.number == 0)) {
      auto data = image.subspan(offset + headerSize, dataSize);
      resource.data.assign(data.begin(), data.end());
      resources.push_back(std::move(resource));
    }
    offset += headerSize + dataSize;
    offset += (4 - offset % 4) % 4;
    if (offset > image.size()) break;  // the last record's padding may be left out
  }
  if (offset < image.size()) {
    error = "resource image ends in the middle of a record";
    return std::nullopt;
  }
  return ResourceSet(std::move(resources));
}

const Resource* ResourceSet::Containing(const void* address) const {
  auto at = static_cast<const std::byte*>(address);
  for (const auto& resource : resources_) {
    const std::byte* begin = resource.data.data();
    if (!resource.data.empty() && std::less_equal<>()(begin, at) && std::less<>()(at, begin + resource.data.size()))
      return &resource;
  }
  return nullptr;
}

const Resource* ResourceSet::Find(const ResourceId& type, const ResourceId& name, LANGID preferred) const {
  auto rank = [preferred](LANGID language) {
    if (language == preferred) return 0;
    if (PrimaryLanguage(language) == PrimaryLanguage(preferred)) return 1;
    if (PrimaryLanguage(language) == LANG_NEUTRAL) return 2;
    if (language == kEnglishUS) return 3;
    return 4;
  };
  const Resource* best = nullptr;
  int bestRank = INT_MAX;
  for (const Resource& resource : resources_) {
    if (resource.type != type || resource.name != name) continue;
    int r = rank(resource.language);
    if (r < bestRank) {
      best = &resource;
      bestRank = r;
    }
  }
  return best;
}

bool ResourceSet::HasType(const ResourceId& type) const {
  for (const Resource& resource : resources_)
    if (resource.type == type) return true;
  return false;
}

std::vector<ResourceId> ResourceSet::Names(const ResourceId& type) const {
  std::vector<ResourceId> names;
  for (const Resource& resource : resources_)
    if (resource.type == type && std::find(names.begin(), names.end(), resource.name) == names.end())
      names.push_back(resource.name);
  return names;
}

}  // namespace handset::resources
