// The main window's menu bar and accelerator table against the commands' documented places and
// keys: every command sits in its menu showing its key, and every key a menu shows is in the table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/framework/KeyCodes.h"
#include "platform/framework/Resources.h"

namespace {

struct Place {
  UINT id;
  const char* menu;  // the top-level popup, without its '&'
  const char* key;   // as the menu shows it; "" where none is given
};

// Each command given a menu and a key; the Zoom presets sit in the Window menu's Zoom popup.
const Place kPlaces[] = {
    {57600, "File", "Ctrl+N"}, {57601, "File", "Ctrl+O"}, {57602, "File", ""}, {57604, "File", ""}, {33029, "File", ""},
    {33012, "File", "Ctrl+I"}, {10002, "File", "Ctrl+E"}, {33136, "File", "Ctrl+P"},
    {57643, "Edit", "Ctrl+Z"}, {57644, "Edit", "Ctrl+Y"}, {10005, "Edit", "Ctrl+H"}, {57635, "Edit", ""},
    {57634, "Edit", ""}, {57637, "Edit", ""}, {57632, "Edit", ""}, {33138, "Edit", ""}, {33139, "Edit", ""},
    {10001, "Edit", "Ctrl+L"}, {33137, "Edit", "Ctrl+B"}, {33120, "Edit", "Ctrl+M"},
    {33013, "Edit", "Ctrl+Alt+C"}, {33129, "Edit", ""},
    {59393, "View", "Ctrl+Alt+S"}, {33124, "View", "Ctrl+Alt+B"}, {59392, "View", "Ctrl+Alt+M"},
    {33121, "View", "Ctrl+Alt+I"}, {33122, "View", "Ctrl+Alt+A"}, {33123, "View", "Ctrl+Alt+F"},
    {32986, "View", ""}, {32987, "View", ""}, {33126, "View", "Ctrl+Alt+G"},
    {33128, "Interactive", "Ctrl+0"}, {33066, "Interactive", "Ctrl+1"}, {33081, "Interactive", "Ctrl+2"},
    {33065, "Interactive", "Ctrl+3"}, {33071, "Interactive", "Ctrl+4"}, {33061, "Interactive", "Ctrl+5"},
    {33060, "Interactive", "Ctrl+6"}, {33127, "Interactive", "Ctrl+7"}, {33063, "Interactive", "Ctrl+8"},
    {33072, "Interactive", "Ctrl+9"}, {33090, "Interactive", "Alt+1"}, {33094, "Interactive", "Alt+2"},
    {33100, "Interactive", "Alt+3"}, {33099, "Interactive", "Alt+4"}, {33091, "Interactive", "Alt+5"},
    {33119, "Interactive", "Alt+6"}, {33098, "Interactive", "Alt+7"}, {33106, "Interactive", "Alt+8"},
    {33110, "Interactive", "Alt+9"}, {33118, "Interactive", "Alt+0"}, {33086, "Interactive", "Ctrl+F"},
    {33020, "Window", "Ctrl+W"}, {33021, "Window", "Ctrl+F4"}, {32991, "Window", "Ctrl +"},
    {32992, "Window", "Ctrl -"}, {32999, "Window", ""}, {33003, "Window", ""}, {33008, "Window", ""},
    {33018, "Window", "Ctrl+T"}, {33019, "Window", ""}, {33028, "Window", "Ctrl+R"}, {33025, "Window", ""},
    {33125, "Window", "Ctrl+J"}, {33014, "Window", "Ctrl+Q"},
    {57671, "Help", ""}, {33016, "Help", ""}, {33017, "Help", ""}, {10008, "Help", ""}};

struct Key {
  BYTE modifiers = 0;
  UINT key = 0;
};

// "Ctrl+Alt+C", "Alt+0", "Ctrl +", "Del" ... as modifiers and a virtual key.
Key ParseKey(std::string text) {
  Key parsed;
  for (auto [name, flag] : {std::pair{"Ctrl", FCONTROL}, {"Alt", FALT}, {"Shift", FSHIFT}})
    if (text.rfind(name, 0) == 0 && text.size() > std::string(name).size() + 1) {
      parsed.modifiers |= flag;
      text.erase(0, std::string(name).size() + 1);
    }
  if (text == "Del") parsed.key = VK_DELETE;
  else if (text == "+") parsed.key = VK_OEM_PLUS;
  else if (text == "-") parsed.key = VK_OEM_MINUS;
  else if (text.size() > 1 && text[0] == 'F') parsed.key = VK_F1 + static_cast<UINT>(std::stoi(text.substr(1)) - 1);
  else if (text.size() == 1) parsed.key = static_cast<unsigned char>(text[0]);
  return parsed;
}

bool InTable(UINT id, const Key& key) {
  for (const AcceleratorEntry& entry : FindAcceleratorResource(12)->entries)
    if (entry.command == id && entry.key == key.key && (entry.flags & (FSHIFT | FCONTROL | FALT)) == key.modifiers)
      return true;
  return false;
}

struct Found {
  std::string menu;
  std::string key;
};

Found Find(UINT id) {
  std::string top;
  for (const MenuItem& item : FindMenuResource(12)->items) {
    const std::string text = item.text ? item.text : "";
    if (item.level == 0) top = text;
    if (item.id != id || !item.text) continue;
    const std::size_t tab = text.find('\t');
    return {top, tab == std::string::npos ? "" : text.substr(tab + 1)};
  }
  return {};
}

TEST(MainMenu, EveryCommandSitsInItsMenuShowingItsKeyAndEveryShownKeyIsInTheTable) {
  for (const Place& place : kPlaces) {
    const Found found = Find(place.id);
    EXPECT_EQ(found.menu, std::string("&") + place.menu) << place.id;
    if (*place.key) {
      EXPECT_EQ(found.key, place.key) << place.id;
    }
  }
  // Ctrl+F4 is the desktop's own key for closing the active child window, never in a table.
  for (const MenuItem& item : FindMenuResource(12)->items) {
    const std::string text = item.text ? item.text : "";
    const std::size_t tab = text.find('\t');
    if (tab == std::string::npos || text.substr(tab + 1) == "Ctrl+F4") continue;
    const Key key = ParseKey(text.substr(tab + 1));
    EXPECT_TRUE(key.key && InTable(item.id, key)) << text;
  }
  // The keys without a menu item: help on the prompt and the context-help mode.
  EXPECT_TRUE(InTable(57670, {0, VK_F1}));
  EXPECT_TRUE(InTable(57669, {FSHIFT, VK_F1}));
}

}  // namespace
