#include "ui/window_builder.h"

#include <QGroupBox>
#include <QPalette>

#include <algorithm>
#include <utility>
#include <vector>

#include "ui/controls.h"

namespace ui {

namespace {

QColor color(Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

void setBack(QWidget& widget, QPalette::ColorRole role, Rgb back) {
    QPalette palette = widget.palette();
    palette.setColor(role, color(back)); // all colour groups, disabled included
    widget.setPalette(palette);
}

QString utf8(const char* text) { return QString::fromUtf8(text); }

// The window's default font with every property fixed, so that nothing of a frame's font (bold,
// another size) passes on to the controls inside it.
QFont defaultFont(const QWidget& window) {
    QFont font = window.font();
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

QRect geometry(const ControlSpec& spec) {
    return {pixels(spec.left), pixels(spec.top), pixels(spec.width), pixels(spec.height)};
}

QWidget* createLine(QWidget& parent, const ControlSpec& spec) {
    // left/top and width/height are the two ends of the line.
    auto* line = new QWidget(&parent);
    const int x1 = pixels(spec.left), y1 = pixels(spec.top);
    const int x2 = pixels(spec.width), y2 = pixels(spec.height);
    line->setGeometry(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1,
                      std::abs(y2 - y1) + 1);
    line->setAutoFillBackground(true);
    setBack(*line, QPalette::Window, Rgb{0, 0, 0});
    return line;
}

QWidget* createTextBox(QWidget& parent, const ControlSpec& spec) {
    auto* box = new TextBox(&parent);
    if (spec.maxLength > 0) {
        box->setMaxLength(spec.maxLength);
    }
    box->setText(utf8(spec.text));
    box->setEnabled(spec.enabled);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, color(spec.back));
    if (spec.displayOnly) {
        // Results are written by the program only, yet must read as clearly as typed text.
        palette.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
    }
    box->setPalette(palette);
    return box;
}

QWidget* createControl(QWidget& parent, const ControlSpec& spec) {
    switch (spec.kind) {
    case Kind::Label: {
        auto* label = new Label(&parent);
        label->setText(utf8(spec.text));
        return label;
    }
    case Kind::TextBox:
        return createTextBox(parent, spec);
    case Kind::Button: {
        auto* button = new Button(&parent);
        button->setText(utf8(spec.text));
        setBack(*button, QPalette::Button, spec.back);
        return button;
    }
    case Kind::ComboBox: {
        auto* combo = new ComboBox(&parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        for (const char* unit : {"mg", "ug", "mg/L", "ug/L", "mL"}) {
            combo->addItem(utf8(unit));
        }
        combo->setCurrentText(utf8(spec.text));
        QPalette palette = combo->palette();
        palette.setColor(QPalette::Base, color(spec.back));
        palette.setColor(QPalette::Button, color(spec.back));
        combo->setPalette(palette);
        return combo;
    }
    case Kind::Frame: {
        auto* frame = new QGroupBox(utf8(spec.text), &parent);
        frame->setAutoFillBackground(true);
        setBack(*frame, QPalette::Window, spec.back);
        return frame;
    }
    case Kind::Picture: {
        auto* picture = new QLabel(&parent);
        picture->setPixmap(QPixmap(utf8(spec.text)));
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return picture;
    }
    case Kind::Line:
        return createLine(parent, spec);
    }
    return nullptr;
}

// Boxes, buttons and frames carry the name a screen reader announces. Labels get none, so that
// they announce their current caption. A frame without a name of its own would be announced by
// the title of the frame around it (Frame3 as "Lumetra结果：").
void nameForScreenReaders(QWidget& control, const QString& name) {
    control.setAccessibleName(name);
    if (auto* combo = qobject_cast<QComboBox*>(&control)) {
        // On Linux Qt announces a combo box by its current text; its edit field carries the name.
        combo->lineEdit()->setAccessibleName(name);
    }
}

} // namespace

QString controlName(const ControlSpec& spec) {
    const QString name = utf8(spec.name);
    return spec.index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(spec.index);
}

QFont songFont(const FontSpec& spec) {
    QFont font;
    font.setFamilies({QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC")});
    font.setPointSizeF(spec.points);
    font.setBold(spec.bold);
    return font;
}

void setUpWindow(QWidget& window, const QString& name, int clientWidth, int clientHeight) {
    window.setObjectName(name);
    window.setWindowTitle(QStringLiteral("Lumetra"));
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window.setFixedSize(pixels(clientWidth), pixels(clientHeight));
    window.setAutoFillBackground(true);
    setBack(window, QPalette::Window, kFormBack);
}

void buildControls(QWidget& window, std::span<const ControlSpec> specs) {
    std::vector<std::pair<int, QWidget*>> focusable;
    for (const ControlSpec& spec : specs) {
        QWidget* parent = &window;
        if (spec.container != nullptr) {
            parent = window.findChild<QWidget*>(utf8(spec.container));
        }
        QWidget* control = createControl(*parent, spec);
        control->setObjectName(controlName(spec));
        control->setGeometry(spec.kind == Kind::Line ? control->geometry() : geometry(spec));
        // Controls without a font of their own take the window's default font, not the font
        // of the frame that holds them.
        control->setFont(spec.font.points > 0 ? songFont(spec.font) : defaultFont(window));
        if (spec.kind == Kind::TextBox || spec.kind == Kind::Button || spec.kind == Kind::ComboBox ||
            spec.kind == Kind::Frame) {
            const char* accessible = spec.accessibleName ? spec.accessibleName : spec.text;
            nameForScreenReaders(*control, utf8(accessible));
        }
        if (control->focusPolicy() != Qt::NoFocus) {
            focusable.emplace_back(spec.tabIndex, control);
        }
    }
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusable.size(); ++i) {
        QWidget::setTabOrder(focusable[i - 1].second, focusable[i].second);
    }
}

} // namespace ui
