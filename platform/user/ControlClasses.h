// The window classes of the standard controls and how they are registered
// (not for the system's code).
#pragma once

namespace layer::controls {

// The list part of a combo box: a list box that tells its combo box, not
// its parent, what happens to it.
constexpr const char* kComboListClass = "ComboLBox";

void RegisterButtonClass();
void RegisterStaticClass();
void RegisterEditClass();
void RegisterListBoxClasses();
void RegisterComboBoxClass();

}  // namespace layer::controls
