// The text form of the preference file: "[section]" lines, each followed by its "key=value" lines.
// Lines that begin with ";" or "#" are comments: they are kept where they stand.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Preferences by section and key, in order of first appearance. Names and values are kept byte
// for byte: nothing is trimmed, folded or escaped.
class ProfileData {
 public:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
    // Comment lines, each with the number of entries before it in the section.
    std::vector<std::pair<std::size_t, std::string>> comments;
    // Where each key stands in `entries`, so that a lookup in a large file stays cheap.
    std::map<std::string, std::size_t, std::less<>> positions;
    bool operator==(const Section&) const = default;

    const std::string* Find(std::string_view key) const;
    // Adds the key at the end; false, adding nothing, when the section has it already.
    bool Add(std::string_view key, std::string_view value);
  };

  // Reads a file's text. A line that is neither a comment, a section header nor "key=value" inside
  // a section is skipped, as are a repeated key (the first one counts) and a line holding NUL or a
  // carriage return anywhere but at its end ("\r\n" line ends are read).
  static ProfileData Parse(std::string_view text);
  std::string Format() const;

  const std::string* Find(std::string_view section, std::string_view key) const;
  // Stores the value, adding the section and the key as needed; false when nothing changed.
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  const std::vector<Section>& Sections() const { return sections_; }
  bool operator==(const ProfileData&) const = default;

 private:
  std::vector<std::string> leadingComments_;  // before the first section
  std::vector<Section> sections_;
};

// Whether the names and the value can be stored so that the file reads them back unchanged:
// no line breaks or NUL anywhere, no "=" in a key or a section name, no key that reads as a
// comment.
bool IsStorableProfileEntry(std::string_view section, std::string_view key, std::string_view value);
