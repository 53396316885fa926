#pragma once

#include "worksheet/controls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdint>
#include <functional>

// Qt widgets with the behaviour the handlers rely on: a KeyPress per typed character whose code
// the handler may cancel, a GotFocus every time a box receives the focus, a Change after every
// change of a box's text (QLineEdit::textChanged) and a Click per button activation
// (QPushButton::clicked).
namespace ui {

// A control's one KeyPress handler: it may cancel the character (code 0) or replace it.
using KeyPressHandler = std::function<void(std::int16_t& keyAscii)>;

class TextBox final : public QLineEdit, public worksheet::TextBox {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent);

    KeyPressHandler onKeyPress;

    std::string Text() const override;
    void SetText(std::string_view text) override;
    std::size_t MaxLength() const override;
    void SetFocus() override;
    bool Visible() const override { return !isHidden(); }
    void SetVisible(bool visible) override { setVisible(visible); }
    bool Enabled() const override { return isEnabled(); }
    void SetEnabled(bool enabled) override { setEnabled(enabled); }

signals:
    // Every time the box receives the focus, also when a handler gives it (see SetFocus).
    void gotFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool gotFocusRaised_ = false;
};

class Label final : public QLabel, public worksheet::Label {
    Q_OBJECT
public:
    explicit Label(QWidget* parent);
    std::string Caption() const override;
    void SetCaption(std::string_view caption) override;
    bool Visible() const override { return !isHidden(); }
    void SetVisible(bool visible) override { setVisible(visible); }
};

class Button final : public QPushButton, public worksheet::Button {
    Q_OBJECT
public:
    explicit Button(QWidget* parent);

    // When set, Enter and every other typed key go to this handler instead of pressing the button.
    KeyPressHandler onKeyPress;

    std::string Caption() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A picture shown at its own size. It is decoded when it is first painted, so that the window
// is mapped without waiting for the image decoder; the first frame shows it all the same.
class Picture final : public QLabel {
    Q_OBJECT
public:
    Picture(QString resource, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString resource_;
};

class ComboBox final : public QComboBox, public worksheet::ComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent);
    std::string Text() const override;
};

} // namespace ui
