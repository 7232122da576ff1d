// Wrapper objects that the class library makes for handles it did not
// create (FromHandle); they live until the thread is next idle, or ends.
#pragma once

#include <map>
#include <memory>

template <class Handle, class Wrapper>
class TemporaryMap {
 public:
  // release detaches a wrapper from its handle before the wrapper goes, so
  // that the handle, which belongs to someone else, outlives it.
  using Release = void (*)(Wrapper&);
  explicit TemporaryMap(Release release) : m_release(release) {}
  // A thread that ends before it was idle still lets its wrappers go without
  // destroying the handles they wrapped.
  ~TemporaryMap() { Clear(); }
  TemporaryMap(const TemporaryMap&) = delete;
  TemporaryMap& operator=(const TemporaryMap&) = delete;

  // The wrapper of a handle, made with make() on first use.
  template <class Make>
  Wrapper* Find(Handle handle, Make make) {
    auto& slot = m_wrappers[handle];
    if (!slot) slot.reset(make());
    return slot.get();
  }
  void Forget(Handle handle) { m_wrappers.erase(handle); }
  void Clear() {
    for (auto& [handle, wrapper] : m_wrappers) m_release(*wrapper);
    m_wrappers.clear();
  }

 private:
  Release m_release;
  std::map<Handle, std::unique_ptr<Wrapper>> m_wrappers;
};
