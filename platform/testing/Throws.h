// The class library throws exceptions as heap pointers that the catcher must
// delete; this catches one of the expected kind, lets the test look at it,
// and deletes it.
#pragma once

namespace layer::testing {

template <class Exception, class Body, class Inspect>
bool ThrowsPointer(Body body, Inspect inspect) {
  try {
    body();
  } catch (Exception* error) {
    inspect(*error);
    error->Delete();
    return true;
  }
  return false;
}

template <class Exception, class Body>
bool ThrowsPointer(Body body) {
  return ThrowsPointer<Exception>(body, [](Exception&) {});
}

}  // namespace layer::testing
