#include "testing/WindowLook.h"

#include <algorithm>
#include <sstream>
#include <thread>

#include "ipc/RemoteWindowsClient.h"
#include "ipc/WindowDescription.h"
#include "ipc/WindowRegistry.h"

namespace layer::testing {
namespace {

constexpr std::size_t kFixedFields = 11;

int Number(const std::string& text) {
  try {
    return std::stoi(text);
  } catch (...) {
    return 0;
  }
}

// Controls whose style says they show a text of their own.
bool LabelledButton(unsigned long style) {
  unsigned long kind = style & 0xF;
  bool picture = style & 0xC0;  // BS_ICON, BS_BITMAP
  return kind != 0xB && !picture;  // not owner-drawn
}

bool LabelledStatic(unsigned long style) {
  unsigned long kind = style & 0x1F;
  return kind <= 2 || kind == 0xB || kind == 0xC;  // left, centred, right, simple, left without wrap
}

std::string Where(const SeenLine& line) {
  return line.kind + " " + line.className + " id " + std::to_string(line.id) + " at " + std::to_string(line.place.left) +
         "," + std::to_string(line.place.top);
}

}  // namespace

unsigned long SeenLine::Style() const {
  if (kind != "window" || cells.empty()) return 0;
  return std::stoul(cells[0], nullptr, 16);
}

SeenWindow::SeenWindow(const std::string& description) {
  std::istringstream in(description);
  for (std::string text; std::getline(in, text);) {
    auto fields = ipc::SplitDescriptionLine(text);
    if (fields.size() < kFixedFields) continue;
    SeenLine line;
    line.kind = fields[0];
    line.depth = Number(fields[1]);
    line.key = fields[2];
    line.className = fields[3];
    line.id = Number(fields[4]);
    line.flags = fields[5];
    line.place = RECT{Number(fields[6]), Number(fields[7]), Number(fields[8]), Number(fields[9])};
    line.text = fields[10];
    line.cells.assign(fields.begin() + kFixedFields, fields.end());
    m_lines.push_back(std::move(line));
  }
}

const SeenLine* SeenWindow::Find(const std::string& kind, const std::string& text) const {
  for (const auto& line : m_lines)
    if (line.kind == kind && line.text == text) return &line;
  return nullptr;
}

const SeenLine* SeenWindow::FindContaining(const std::string& kind, const std::string& part) const {
  for (const auto& line : m_lines)
    if (line.kind == kind && line.text.find(part) != std::string::npos) return &line;
  return nullptr;
}

std::vector<std::string> SeenWindow::Texts(const std::string& kind) const {
  std::vector<std::string> texts;
  for (const auto& line : m_lines)
    if (line.kind == kind) texts.push_back(line.text);
  return texts;
}

bool SeenWindow::Shows(const std::string& text) const {
  for (const auto& line : m_lines) {
    if (line.text == text) return true;
    if (line.kind == "row")
      for (const auto& cell : line.cells)
        if (cell == text) return true;
  }
  return false;
}

// A column shows its title only in a header a person sees: not in a list
// view made without one (LVS_NOCOLUMNHEADER), nor in a hidden header.
static bool ShowsColumnTitle(const SeenLine* owner) {
  if (owner == nullptr || !owner->Has('v')) return false;
  constexpr unsigned long kNoColumnHeader = 0x4000;
  return owner->className != "SysListView32" || !(owner->Style() & kNoColumnHeader);
}

std::vector<std::string> SeenWindow::EmptyLabels() const {
  std::vector<std::string> empty;
  std::vector<const SeenLine*> windows;  // the window of each depth above the line
  for (const auto& line : m_lines) {
    windows.resize(static_cast<std::size_t>(std::max(line.depth, 0)));
    const SeenLine* owner = windows.empty() ? nullptr : windows.back();
    if (line.kind == "window") windows.push_back(&line);
    if (!line.text.empty()) continue;
    bool labelled = false;
    if (line.kind == "window" && line.Has('v')) {
      if (line.className == "Button") labelled = LabelledButton(line.Style());
      else if (line.className == "Static") labelled = LabelledStatic(line.Style());
      else if (line.className == "#32770") labelled = line.depth == 0;  // a dialog's caption
    } else if (line.kind == "menu") {
      labelled = !line.Has('-');
    } else if (line.kind == "column") {
      labelled = ShowsColumnTitle(owner);
    }
    if (labelled) empty.push_back(Where(line));
  }
  return empty;
}

std::string SeenWindow::Dump() const {
  std::string text;
  for (const auto& line : m_lines)
    text += std::string(static_cast<std::size_t>(line.depth) * 2, ' ') + line.kind + " [" + line.className + "] " +
            line.flags + " (" + std::to_string(line.place.left) + "," + std::to_string(line.place.top) + ") \"" +
            line.text + "\"\n";
  return text;
}

std::vector<TopWindow> TopWindows() {
  std::vector<TopWindow> windows;
  for (const auto& entry : ipc::WindowRegistry::OfUser().Entries()) {
    TopWindow window;
    window.handle = reinterpret_cast<HWND>(static_cast<UINT_PTR>(entry.handle));
    window.processId = entry.processId;
    window.visible = entry.flags & ipc::kWindowVisible;
    window.enabled = entry.flags & ipc::kWindowEnabled;
    window.className = entry.className;
    window.title = entry.title;
    windows.push_back(window);
  }
  return windows;
}

SeenWindow Look(HWND window) {
  static auto* client = new ipc::RemoteWindowsClient(ipc::WindowRegistry::OfUser());
  return SeenWindow(client->Describe(window));
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

TopWindow WaitForWindow(const std::function<bool(const TopWindow&)>& wanted, std::chrono::milliseconds limit) {
  TopWindow found;
  WaitUntil(
      [&] {
        for (const auto& window : TopWindows())
          if (window.visible && wanted(window)) {
            found = window;
            return true;
          }
        return false;
      },
      limit);
  return found;
}

TopWindow WaitForTitle(const std::string& titlePart, std::chrono::milliseconds limit) {
  return WaitForWindow([&](const TopWindow& window) { return window.title.find(titlePart) != std::string::npos; },
                       limit);
}

}  // namespace layer::testing
