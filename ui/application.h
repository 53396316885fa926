#pragma once

class QApplication;

namespace ui {

// Application-wide look: the Fusion style, a CJK-capable default font, the program's icon and
// Qt's own Chinese translations (so standard buttons read "确定").
void setUpApplication(QApplication& app);

} // namespace ui
