// The yardstick for Lumetra's start-up memory: a small Qt Widgets window of the cover's size
// showing two labels of Chinese text, one in each of the two CJK faces the windows use.

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Lumetra"));
    window.setFixedSize(594, 511);
    auto* layout = new QVBoxLayout(&window);
    const std::pair<const char*, const char16_t*> faces[] = {
        {"AR PL UMing CN", u"光度分析标准曲线计算器"},
        {"Noto Sans CJK SC", u"运行程序　退出程序"},
    };
    for (const auto& [face, text] : faces) {
        auto* label = new QLabel(QString::fromUtf16(text), &window);
        QFont font(QString::fromLatin1(face));
        font.setPointSizeF(12);
        label->setFont(font);
        layout->addWidget(label);
    }
    window.show();
    return QApplication::exec();
}
