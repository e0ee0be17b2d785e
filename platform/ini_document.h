#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// The lines of an INI text in file order. Sections are "[name]" lines; entries are "key=value"
// lines (a line without "=" is an entry with an empty key and the whole line as value); blank
// lines and lines starting with ";" are kept but are not entries. Section and key names compare
// without regard to ASCII case and surrounding blanks; values are kept exactly. When a section
// name occurs more than once, the first such section is the one read and written.
class IniDocument {
  public:
    IniDocument() = default;
    // Lines may end in CR LF, LF or CR; the document keeps the first line end it sees for writing.
    static IniDocument Parse(std::string_view text);
    std::string Serialize() const;

    // Empties keys and values, then appends every entry of the section in file order, duplicates
    // included. Returns the number of entries.
    int ReadSection(std::string_view section, std::vector<std::string>& keys,
                    std::vector<std::string>& values) const;
    // The value of the first entry with that key in the section.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    // Replaces the value of the first entry with that key, or adds the entry at the end of the
    // section, creating the section at the end of the document when it is missing. Line breaks in
    // value become spaces. Returns false, changing nothing, when section or key could not be read
    // back as written (empty, line breaks, "=" in a key, "]" in a section name, ...).
    bool Set(std::string_view section, std::string_view key, std::string_view value);

  private:
    // Index range [begin, end) of the first section's lines after its header; nullopt if absent.
    struct Range {
        std::size_t begin;
        std::size_t end;
    };
    std::optional<Range> FindSection(std::string_view section) const;

    std::vector<std::string> lines_;
    std::string lineEnd_ = "\n";
};

}  // namespace korvane
