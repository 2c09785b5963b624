#include "platform/win/ProfileText.h"

#include <algorithm>

namespace {

bool HasLineBreakOrNul(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos; }

bool IsComment(std::string_view line) { return !line.empty() && (line.front() == ';' || line.front() == '#'); }

// A key line is recognised by its "=" before anything else, so a section name must not hold one.
ProfileData::Section* FindSection(std::vector<ProfileData::Section>& sections, std::string_view name) {
  auto it = std::find_if(sections.begin(), sections.end(), [&](const auto& s) { return s.name == name; });
  return it == sections.end() ? nullptr : &*it;
}

}  // namespace

bool IsStorableProfileEntry(std::string_view section, std::string_view key, std::string_view value) {
  return !HasLineBreakOrNul(section) && !HasLineBreakOrNul(key) && !HasLineBreakOrNul(value) &&
         section.find('=') == section.npos && key.find('=') == key.npos && !IsComment(key);
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

    if (IsComment(line)) {
      if (current)
        current->comments.emplace_back(current->entries.size(), std::string(line));
      else
        data.leadingComments_.emplace_back(line);
      continue;
    }
    std::size_t equals = line.find('=');
    if (equals != line.npos) {
      std::string_view key = line.substr(0, equals);
      if (current) current->Add(key, line.substr(equals + 1));
    } else if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      std::string_view name = line.substr(1, line.size() - 2);
      current = FindSection(data.sections_, name);
      if (!current) current = &data.sections_.emplace_back(Section{std::string(name), {}, {}, {}});
    }
  }
  return data;
}

std::string ProfileData::Format() const {
  std::string text;
  for (const std::string& comment : leadingComments_) text += comment + '\n';
  for (const Section& section : sections_) {
    if (&section != &sections_.front()) text += '\n';
    text += '[' + section.name + "]\n";
    auto comment = section.comments.begin();
    for (std::size_t i = 0; i <= section.entries.size(); ++i) {
      for (; comment != section.comments.end() && comment->first == i; ++comment) text += comment->second + '\n';
      if (i < section.entries.size()) text += section.entries[i].first + '=' + section.entries[i].second + '\n';
    }
  }
  return text;
}

const std::string* ProfileData::Section::Find(std::string_view key) const {
  const auto it = positions.find(key);
  return it == positions.end() ? nullptr : &entries[it->second].second;
}

bool ProfileData::Section::Add(std::string_view key, std::string_view value) {
  if (!positions.emplace(std::string(key), entries.size()).second) return false;
  entries.emplace_back(std::string(key), std::string(value));
  return true;
}

const std::string* ProfileData::Find(std::string_view section, std::string_view key) const {
  for (const Section& s : sections_)
    if (s.name == section) return s.Find(key);
  return nullptr;
}

bool ProfileData::Set(std::string_view section, std::string_view key, std::string_view value) {
  Section* s = FindSection(sections_, section);
  if (!s) s = &sections_.emplace_back(Section{std::string(section), {}, {}, {}});
  if (s->Add(key, value)) return true;
  std::string& stored = s->entries[s->positions.find(key)->second].second;
  if (stored == value) return false;
  stored = value;
  return true;
}
