#pragma once
// Clicks past an open popup. Dear ImGui closes a popup on a click outside it only at the
// end of the frame, and while it is open nothing under it answers the mouse, so that
// click would do nothing else. Closing it before the panel's widgets are built lets the
// same click press what it was aimed at.

// Call inside the panel window, before its first widget.
void closePopupsClickedOutside();
