#pragma once

#include "ui/design.h"

#include <QString>
#include <QWidget>
#include <span>

// Creates a window's controls from its design table.
namespace ui {

// "Text1(3)" for element 3 of a control array, "Text4" for index -1.
QString controlName(const char* name, int index = -1);
QString controlName(const ControlSpec& item);

// The design's Song face, with a fallback that Debian also ships.
QFont songFont(const FontSpec& item);

// Sets up a fixed-size top-level window with the design's title, frame and back colour.
void setUpWindow(QWidget& window, const QString& name, int clientWidth, int clientHeight);

// Creates every control of the table inside window (or inside the frame the table names) and
// chains the focusable ones in the order of their tab indexes. Captions and accessible names are
// translated in `context`, the context the table marks them in; an initial text of a box or list
// is data and stays as designed.
void buildControls(QWidget& window, std::span<const ControlSpec> items, const char* context);

template <class T> T* findControl(const QWidget& window, const QString& name) {
    return window.findChild<T*>(name);
}

} // namespace ui
