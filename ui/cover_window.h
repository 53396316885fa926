#pragma once

#include <QWidget>

namespace ui {

// The cover window "Form2": a picture, a caption and the buttons "运行程序" and "退出程序".
class CoverWindow final : public QWidget {
    Q_OBJECT
public:
    CoverWindow();

    // Shows the cover; the first time with the focus on "运行程序".
    void display();

signals:
    // "运行程序".
    void runRequested();
    // "退出程序" or the title bar's close control.
    void exitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace ui
