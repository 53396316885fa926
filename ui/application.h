#pragma once

class QApplication;

namespace ui {

// Application-wide look: the Fusion style, a CJK-capable default font and the program's icon. The
// language is installed by the program (app/language.h).
void setUpApplication(QApplication& app);

} // namespace ui
