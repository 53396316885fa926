#include "ui/window_builder.h"

#include "ui/controls.h"
#include "ui/read_only_box_accessible.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QPalette>
#include <algorithm>
#include <utility>
#include <vector>

namespace ui {

namespace {

QColor color(Rgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

void setBack(QWidget& widget, QPalette::ColorRole role, Rgb back) {
    QPalette palette = widget.palette();
    palette.setColor(role, color(back)); // all colour groups, disabled included
    widget.setPalette(palette);
}

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

// The window's default font with every property fixed, so that nothing of a frame's font (bold,
// another size) passes on to the controls inside it.
QFont defaultFont(const QWidget& window) {
    QFont font = window.font();
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

QRect geometry(const ControlSpec& item) {
    return {pixels(item.left), pixels(item.top), pixels(item.width), pixels(item.height)};
}

QWidget* createLine(QWidget& parent, const ControlSpec& item) {
    // left/top and width/height are the two ends of the line.
    auto* line = new QWidget(&parent);
    const int x1 = pixels(item.left), y1 = pixels(item.top);
    const int x2 = pixels(item.width), y2 = pixels(item.height);
    line->setGeometry(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1,
                      std::abs(y2 - y1) + 1);
    line->setAutoFillBackground(true);
    setBack(*line, QPalette::Window, Rgb{0, 0, 0});
    return line;
}

QWidget* createTextBox(QWidget& parent, const ControlSpec& item) {
    auto* box = new TextBox(&parent);
    if (item.displayOnly) {
        // Disabled alone, a box is still announced as editable. Read-only before any text goes
        // in, so that a screen reader meets it read-only from the first.
        presentReadOnlyBoxesAsReadOnly();
        box->setReadOnly(true);
    }
    if (item.maxLength > 0) {
        box->setMaxLength(item.maxLength);
    }
    box->setText(utf8(item.text));
    box->setEnabled(item.enabled);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, color(item.back));
    if (item.displayOnly) {
        // Results are written by the program only, yet must read as clearly as typed text.
        palette.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
    }
    box->setPalette(palette);
    return box;
}

// A caption or name as the user reads it. Texts the table leaves unmarked (the keypad's
// digits, numbers, units) have no translation and come back as they are.
QString translated(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}

QWidget* createControl(QWidget& parent, const ControlSpec& item, const char* context) {
    switch (item.kind) {
    case Kind::Label: {
        auto* label = new Label(&parent);
        label->setText(translated(context, item.text));
        return label;
    }
    case Kind::TextBox:
        return createTextBox(parent, item);
    case Kind::Button: {
        auto* button = new Button(&parent);
        button->setText(translated(context, item.text));
        setBack(*button, QPalette::Button, item.back);
        return button;
    }
    case Kind::ComboBox: {
        auto* combo = new ComboBox(&parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // A typed unit stays as typed: no completion from the list ("M" is not "mg").
        combo->setCompleter(nullptr);
        for (const char* entry : item.items) {
            combo->addItem(utf8(entry));
        }
        combo->setCurrentText(utf8(item.text));
        QPalette palette = combo->palette();
        palette.setColor(QPalette::Base, color(item.back));
        palette.setColor(QPalette::Button, color(item.back));
        combo->setPalette(palette);
        return combo;
    }
    case Kind::Frame: {
        auto* frame = new QGroupBox(translated(context, item.text), &parent);
        frame->setAutoFillBackground(true);
        setBack(*frame, QPalette::Window, item.back);
        return frame;
    }
    case Kind::Picture:
        return new Picture(utf8(item.text), &parent);
    case Kind::Line:
        return createLine(parent, item);
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

QString controlName(const char* name, int index) {
    return index < 0 ? utf8(name) : QStringLiteral("%1(%2)").arg(utf8(name)).arg(index);
}

QString controlName(const ControlSpec& item) {
    return controlName(item.name, item.index);
}

QFont songFont(const FontSpec& item) {
    QFont font;
    font.setFamilies({QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC")});
    font.setPointSizeF(item.points);
    font.setBold(item.bold);
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

void buildControls(QWidget& window, std::span<const ControlSpec> items, const char* context) {
    std::vector<std::pair<int, QWidget*>> focusable;
    for (const ControlSpec& item : items) {
        QWidget* parent = &window;
        if (item.container != nullptr) {
            parent = window.findChild<QWidget*>(utf8(item.container));
        }
        QWidget* control = createControl(*parent, item, context);
        control->setObjectName(controlName(item));
        control->setGeometry(item.kind == Kind::Line ? control->geometry() : geometry(item));
        // Controls without a font of their own take the window's default font, not the font
        // of the frame that holds them.
        control->setFont(item.font.points > 0 ? songFont(item.font) : defaultFont(window));
        if (item.kind == Kind::TextBox || item.kind == Kind::Button ||
            item.kind == Kind::ComboBox || item.kind == Kind::Frame) {
            const char* accessible = item.accessibleName ? item.accessibleName : item.text;
            nameForScreenReaders(*control, translated(context, accessible));
        }
        if (control->focusPolicy() != Qt::NoFocus) {
            focusable.emplace_back(item.tabIndex, control);
        }
    }
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusable.size(); ++i) {
        QWidget::setTabOrder(focusable[i - 1].second, focusable[i].second);
    }
}

} // namespace ui
