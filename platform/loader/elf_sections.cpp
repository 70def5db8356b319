#include "loader/elf_sections.h"

#include <elf.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

namespace handset::loader {
namespace {

class FileReader {
 public:
  explicit FileReader(const std::filesystem::path& file) : stream_(file, std::ios::binary) {
    std::error_code ec;
    size_ = std::filesystem::file_size(file, ec);
    if (ec) stream_.setstate(std::ios::failbit);
  }
  bool Open() const { return stream_.is_open() && !stream_.fail(); }
  std::uint64_t Size() const { return size_; }
  bool Inside(std::uint64_t offset, std::uint64_t length) const { return offset <= size_ && length <= size_ - offset; }

  // Reads `length` bytes at `offset`; false when the range lies (even partly) outside the file.
  bool Read(std::uint64_t offset, std::uint64_t length, void* out) {
    if (!Inside(offset, length)) return false;
    stream_.seekg(static_cast<std::streamoff>(offset));
    stream_.read(static_cast<char*>(out), static_cast<std::streamsize>(length));
    return static_cast<std::uint64_t>(stream_.gcount()) == length;
  }

  // A range of `length` elements of T, checked against the file before anything is allocated.
  template <class T>
  std::optional<std::vector<T>> ReadArray(std::uint64_t offset, std::uint64_t length) {
    if (length > size_ / sizeof(T) || !Inside(offset, length * sizeof(T))) return std::nullopt;
    std::vector<T> out(length);
    if (!Read(offset, length * sizeof(T), out.data())) return std::nullopt;
    return out;
  }

 private:
  std::ifstream stream_;
  std::uint64_t size_ = 0;
};

// The processor this handset runs modules for.
#if defined(__x86_64__)
constexpr Elf64_Half kOwnMachine = EM_X86_64;
#elif defined(__aarch64__)
constexpr Elf64_Half kOwnMachine = EM_AARCH64;
#else
#error "the processor of this machine is not known to the module reader"
#endif

bool ValidHeader(const Elf64_Ehdr& header, std::string& error) {
  if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0) {
    error = "not an ELF file";
  } else if (header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB) {
    error = "not a 64-bit little-endian ELF file";
  } else if (header.e_type != ET_DYN) {
    error = "not a shared object";
  } else if (header.e_machine != kOwnMachine) {
    error = "built for another processor (ELF machine " + std::to_string(header.e_machine) + ", this handset runs " +
            std::to_string(kOwnMachine) + ")";
  } else if (header.e_shoff == 0 || header.e_shentsize != sizeof(Elf64_Shdr)) {
    error = "no usable section table";
  } else {
    return true;
  }
  return false;
}

}  // namespace

std::optional<SectionContents> ReadElfSections(const std::filesystem::path& file,
                                               const std::vector<std::string>& wanted, std::string& error) {
  FileReader reader(file);
  if (!reader.Open()) {
    error = "cannot be read";
    return std::nullopt;
  }
  Elf64_Ehdr header;
  if (!reader.Read(0, sizeof header, &header)) {
    error = "too short for an ELF header";
    return std::nullopt;
  }
  if (!ValidHeader(header, error)) return std::nullopt;

  // Section 0 holds the real count and string-table index when they do not fit the header.
  Elf64_Shdr first;
  if (!reader.Read(header.e_shoff, sizeof first, &first)) {
    error = "section table lies outside the file";
    return std::nullopt;
  }
  std::uint64_t count = header.e_shnum != 0 ? header.e_shnum : first.sh_size;
  std::uint64_t namesIndex = header.e_shstrndx != SHN_XINDEX ? header.e_shstrndx : first.sh_link;
  if (count == 0 || namesIndex >= count) {
    error = "section table is malformed";
    return std::nullopt;
  }
  auto sections = reader.ReadArray<Elf64_Shdr>(header.e_shoff, count);
  if (!sections) {
    error = "section table lies outside the file";
    return std::nullopt;
  }

  const Elf64_Shdr& namesSection = (*sections)[namesIndex];
  auto names = reader.ReadArray<char>(namesSection.sh_offset, namesSection.sh_size);
  if (namesSection.sh_type != SHT_STRTAB || !names) {
    error = "section names lie outside the file";
    return std::nullopt;
  }

  SectionContents found;
  for (const Elf64_Shdr& section : *sections) {
    if (section.sh_name >= names->size()) {
      error = "a section name lies outside the name table";
      return std::nullopt;
    }
    const char* start = names->data() + section.sh_name;
    const char* end = std::find(start, static_cast<const char*>(names->data() + names->size()), '\0');
    if (end == names->data() + names->size()) {
      error = "a section name is not terminated";
      return std::nullopt;
    }
    std::string name(start, end);
    if (std::find(wanted.begin(), wanted.end(), name) == wanted.end() || found.contains(name)) continue;
    if (section.sh_type == SHT_NOBITS) {
      error = "section " + name + " has no contents in the file";
      return std::nullopt;
    }
    auto contents = reader.ReadArray<std::byte>(section.sh_offset, section.sh_size);
    if (!contents) {
      error = "section " + name + " lies outside the file";
      return std::nullopt;
    }
    found.emplace(std::move(name), std::move(*contents));
  }
  return found;
}

}  // namespace handset::loader
