// Where a dialog's presenter is kept: the one a test or program installs,
// and the windowing's, which shows the dialog where a person can see it
// (not for the system's code).
#pragma once

#include <mutex>
#include <utility>

namespace layer {

template <class Presenter>
class PresenterSlot {
 public:
  // Installs a presenter and returns the one before.
  Presenter Set(Presenter presenter) {
    std::lock_guard<std::mutex> hold(m_lock);
    return std::exchange(m_presenter, std::move(presenter));
  }
  void SetWindowing(Presenter windowing) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_windowing = std::move(windowing);
  }
  // The installed presenter, else the windowing's; empty when there is neither.
  Presenter Current() {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_presenter ? m_presenter : m_windowing;
  }

 private:
  std::mutex m_lock;
  Presenter m_presenter;
  Presenter m_windowing;
};

}  // namespace layer
