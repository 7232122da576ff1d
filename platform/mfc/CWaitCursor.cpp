#include "mfc/CWaitCursor.h"

CWaitCursor::CWaitCursor() : m_previous(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}

CWaitCursor::~CWaitCursor() { SetCursor(m_previous); }

void CWaitCursor::Restore() { SetCursor(LoadCursor(nullptr, IDC_WAIT)); }
