#pragma once

// Result boxes are disabled and read-only. Qt's own accessible for a line edit calls every line
// edit editable, read-only or not; a read-only box of this program is presented as read-only
// text instead: role text, its content through the Text interface, its name and buddy as any
// widget's, the state read-only and never editable.
namespace ui {

// Makes every ui::TextBox that is read-only when a screen reader first asks for it present
// itself so. Call it before the first box is made read-only; calling it again does nothing.
void presentReadOnlyBoxesAsReadOnly();

} // namespace ui
