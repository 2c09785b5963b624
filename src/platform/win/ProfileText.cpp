#include "platform/win/ProfileText.h"

#include <algorithm>

namespace {

bool HasLineBreakOrNul(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos; }

// A key line is recognised by its "=" before anything else, so a section name must not hold one.
ProfileData::Section* FindSection(std::vector<ProfileData::Section>& sections, std::string_view name) {
  auto it = std::find_if(sections.begin(), sections.end(), [&](const auto& s) { return s.name == name; });
  return it == sections.end() ? nullptr : &*it;
}

}  // namespace

bool IsStorableProfileEntry(std::string_view section, std::string_view key, std::string_view value) {
  return !HasLineBreakOrNul(section) && !HasLineBreakOrNul(key) && !HasLineBreakOrNul(value) &&
         section.find('=') == section.npos && key.find('=') == key.npos;
}

ProfileData ProfileData::Parse(std::string_view text) {
  ProfileData data;
  Section* current = nullptr;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == text.npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (HasLineBreakOrNul(line)) continue;

    std::size_t equals = line.find('=');
    if (equals != line.npos) {
      std::string_view key = line.substr(0, equals);
      if (current && !data.Find(current->name, key))
        current->entries.emplace_back(std::string(key), std::string(line.substr(equals + 1)));
    } else if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      std::string_view name = line.substr(1, line.size() - 2);
      current = FindSection(data.sections_, name);
      if (!current) current = &data.sections_.emplace_back(Section{std::string(name), {}});
    }
  }
  return data;
}

std::string ProfileData::Format() const {
  std::string text;
  for (const Section& section : sections_) {
    if (!text.empty()) text += '\n';
    text += '[' + section.name + "]\n";
    for (const auto& [key, value] : section.entries) text += key + '=' + value + '\n';
  }
  return text;
}

const std::string* ProfileData::Find(std::string_view section, std::string_view key) const {
  for (const Section& s : sections_) {
    if (s.name != section) continue;
    for (const auto& [k, v] : s.entries)
      if (k == key) return &v;
  }
  return nullptr;
}

bool ProfileData::Set(std::string_view section, std::string_view key, std::string_view value) {
  Section* s = FindSection(sections_, section);
  if (!s) s = &sections_.emplace_back(Section{std::string(section), {}});
  for (auto& [k, v] : s->entries) {
    if (k != key) continue;
    if (v == value) return false;
    v = value;
    return true;
  }
  s->entries.emplace_back(std::string(key), std::string(value));
  return true;
}
