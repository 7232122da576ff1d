// The window classes of the standard controls and how they are registered
// (not for the system's code).
#pragma once

namespace layer::controls {

// The list part of a combo box: a list box that tells its combo box, not
// its parent, what happens to it.
constexpr const char* kComboListClass = "ComboLBox";
// What the list part tells its combo box when a click chose the item that
// was selected already: the choice is made all the same, and the list closes.
constexpr unsigned kComboListChosenAgain = 0x7F01;

void RegisterButtonClass();
void RegisterStaticClass();
void RegisterEditClass();
void RegisterListBoxClasses();
void RegisterComboBoxClass();

}  // namespace layer::controls
