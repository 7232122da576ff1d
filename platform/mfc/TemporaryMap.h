// Wrapper objects that the class library makes for handles it did not
// create (FromHandle); they live until the thread is next idle.
#pragma once

#include <map>
#include <memory>

template <class Handle, class Wrapper>
class TemporaryMap {
 public:
  // The wrapper of a handle, made with make() on first use.
  template <class Make>
  Wrapper* Find(Handle handle, Make make) {
    auto& slot = m_wrappers[handle];
    if (!slot) slot.reset(make());
    return slot.get();
  }
  void Forget(Handle handle) { m_wrappers.erase(handle); }
  // Lets every wrapper go; release() first detaches each from its handle.
  template <class Release>
  void Clear(Release release) {
    for (auto& [handle, wrapper] : m_wrappers) release(*wrapper);
    m_wrappers.clear();
  }

 private:
  std::map<Handle, std::unique_ptr<Wrapper>> m_wrappers;
};
