#include "VodGraphicObjects.h"

#include "VodContext.h"
#include "win32/Memory.h"

namespace vod {
namespace {

void FreeBlocks(const GraphicObject& object) {
  if (object.first) GlobalFree(object.first);
  if (object.second) GlobalFree(object.second);
}

}  // namespace

bool VodGraphicObjects::AddGraphicObject(DWORD key, HGLOBAL first, HGLOBAL second) {
  auto* node = static_cast<GraphicObject*>(m_context.ArenaAlloc(VodArena::NodeSize(sizeof(GraphicObject))));
  if (!node) return false;
  *node = GraphicObject{nullptr, first, second, key};
  GraphicObject** link = &m_head;
  while (*link) link = &(*link)->next;
  *link = node;
  return true;
}

bool VodGraphicObjects::RemoveGraphicObject(DWORD key) {
  for (GraphicObject** link = &m_head; *link; link = &(*link)->next) {
    GraphicObject* node = *link;
    if (node->key != key) continue;
    *link = node->next;
    FreeBlocks(*node);
    m_context.arena.Release(node);
    return true;
  }
  return false;
}

void VodGraphicObjects::FreeAll() {
  for (GraphicObject* node = m_head; node; node = node->next) FreeBlocks(*node);
  m_head = nullptr;
}

}  // namespace vod
