// The job's graphic objects: pairs of global memory blocks kept under a key
// until the drawing that made them removes them, or the job ends.
#pragma once

#include "win32/Types.h"

namespace vod {

class VodContext;

struct GraphicObject {
  GraphicObject* next;
  HGLOBAL first;
  HGLOBAL second;
  DWORD key;
};

class VodGraphicObjects {
 public:
  explicit VodGraphicObjects(VodContext& context) : m_context(context) {}

  // Appends a node from the job arena; false when the arena refuses.
  bool AddGraphicObject(DWORD key, HGLOBAL first, HGLOBAL second);
  // Unlinks the node with that key and frees its blocks; false without one.
  bool RemoveGraphicObject(DWORD key);
  // Frees the blocks of every node left; the nodes go with the arena.
  void FreeAll();
  const GraphicObject* First() const { return m_head; }

 private:
  VodContext& m_context;
  GraphicObject* m_head = nullptr;
};

}  // namespace vod
