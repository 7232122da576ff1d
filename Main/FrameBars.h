// What both viewer frame windows do alike with their toolbar, their
// accelerators and a program they wait for.
#pragma once

#include "Main/CAccelTable.h"
#include "mfc/CControlBar.h"
#include "mfc/CFrameWnd.h"

// Places the toolbar by the user's settings: with docking allowed it may go
// to any side and is docked at the user's place; without, it stands fixed
// at the default place.
void PlaceToolBar(CFrameWnd& frame, CControlBar& bar, BOOL docking, int userPlace, int defaultPlace);
// The place (0 top, 1 left, 2 right, 3 bottom) that the bar's alignment says.
int ToolBarPlace(const CControlBar& bar);
// The frame's dock bar for a place.
UINT DockBarOfPlace(int place);
// Runs each command whose accelerator matches the key as the keyboard holds
// the modifiers now, in table order, through the frame's OnCommand.
void RunAccelerators(CWnd& frame, const CAccelTable& table, UINT key);
// While a disabled frame waits for a started program, activating the frame
// brings that program's window to the front instead; TRUE when it did.
BOOL BringWaitedProgramForward(CWnd& frame, UINT state);
