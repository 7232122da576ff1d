#include "Main/FrameSet.h"

#include <algorithm>
#include <climits>

namespace {

// The class library's hit codes of the first bar between rows and between columns.
constexpr int kFirstRowBarHit = 101;
constexpr int kFirstColumnBarHit = 201;
constexpr int kSplitterBorder = 2;

// Sizes come from the catalogue and from the user's file; sums and products
// are worked out wide and held to what an int can carry.
int ClampToInt(long long value) { return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX)); }

}  // namespace

void FrameSet::AddPane(int value, BOOL percent) {
  FramePane pane;
  SetAlong(pane.requested, value);
  pane.percent = percent;
  m_panes.push_back(pane);
}

SplitterMetrics FrameSet::Metrics() const {
  SplitterMetrics metrics{};
  metrics.borderShare = m_shared_border ? 0 : -2;
  metrics.border = kSplitterBorder;
  metrics.splitterSize = m_bar_width + 4;
  metrics.splitterGap = m_bar_width + 4 + 2 * metrics.borderShare;
  return metrics;
}

void FrameSet::CalcPaneSizes(CSize available) {
  const long long gap = Metrics().splitterGap;
  const long long full = Along(available);
  const long long forPanes = std::max(0LL, full - static_cast<long long>(PaneCount() - 1) * gap);
  const int across = IsRows() ? available.cx : available.cy;

  for (FramePane& pane : m_panes) {
    if (pane.percent) {
      const int asked = Along(pane.requested);
      const int size =
          asked >= 0 ? ClampToInt(static_cast<long long>(asked * static_cast<double>(forPanes) * 0.01 + 0.5)) : -1;
      SetAlong(pane.computed, size);
    } else {
      pane.computed = pane.requested;
    }
    (IsRows() ? pane.computed.cx : pane.computed.cy) = across;
  }

  long long taken = 0;
  FramePane* rest = nullptr;
  for (size_t i = 0; i < m_panes.size(); ++i) {
    const int size = Along(m_panes[i].computed);
    if (i > 0) taken += gap;
    if (size != -1)
      taken += size;
    else if (rest == nullptr)
      rest = &m_panes[i];
  }
  if (rest != nullptr && taken < full) SetAlong(rest->computed, ClampToInt(full - taken));
}

BOOL FrameSet::IsFixedBar(int hit) const {
  const int bar = hit - (IsRows() ? kFirstRowBarHit : kFirstColumnBarHit);
  const int bars = std::min(PaneCount(), kFirstColumnBarHit - kFirstRowBarHit);
  return bar >= 0 && bar < bars && m_panes[static_cast<size_t>(bar)].fixedBar != 0;
}

void FrameSet::PanePlace(int pane, int& row, int& column) const {
  if (pane < 0) {
    row = column = -1;
    return;
  }
  row = IsRows() ? pane : 0;
  column = IsRows() ? 0 : pane;
}

int FrameSet::FirstFreePane() const {
  while (m_free_from < PaneCount() && m_panes[static_cast<size_t>(m_free_from)].use != PANE_FREE) ++m_free_from;
  return m_free_from < PaneCount() ? m_free_from : -1;
}
