#pragma once

#include <QWidget>
#include <functional>

namespace ui {

// The cover window "Form2": a picture, a caption and the buttons "运行程序" and "退出程序".
class CoverWindow final : public QWidget {
    Q_OBJECT
public:
    CoverWindow();

    std::function<void()> onRun;
    // "退出程序" and the title bar's close control.
    std::function<void()> onExit;

    // Shows the cover; the first time with the focus on "运行程序".
    void display();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace ui
