#include "ui/controls.h"

#include "ui/key_codes.h"
#include "worksheet/keys.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QValidator>
#include <utility>

namespace ui {

namespace {

// Runs a KeyPress handler on each character of a text and returns what it lets through.
QString filtered(const QString& text, const KeyPressHandler& handler) {
    QString accepted;
    for (const char32_t character : text.toUcs4()) {
        const std::int16_t original = characterCode(character);
        std::int16_t code = original;
        handler(code);
        if (code == 0) {
            continue;
        }
        accepted += code == original ? QString::fromUcs4(&character, 1) : characterText(code);
    }
    return accepted;
}

// A box's maximum length counts UTF-16 units, and QLineEdit cuts a longer text at that count,
// which can split a character outside the Basic Multilingual Plane: "1😀" in a 2-unit box would
// keep half of the emoji. The half is dropped, in typed, pasted and written text alike.
class WholeCharacters final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override {
        for (qsizetype i = 0; i < input.size();) {
            const bool pair = input.at(i).isHighSurrogate() && i + 1 < input.size() &&
                              input.at(i + 1).isLowSurrogate();
            if (pair) {
                i += 2;
            } else if (input.at(i).isSurrogate()) {
                input.remove(i, 1);
                if (pos > i) {
                    --pos;
                }
            } else {
                ++i;
            }
        }
        return Acceptable;
    }
};

} // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    setValidator(new WholeCharacters(this));
    // The one unfiltered way into a box is the platform's paste; a drop is refused.
    setAcceptDrops(false);
}

std::string TextBox::Text() const {
    return text().toStdString();
}

void TextBox::SetText(std::string_view text) {
    // QLineEdit cuts a text longer than its maximum length to its first characters.
    setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    if (!isEnabled()) {
        // A result longer than its box is read from its first digits, as written.
        setCursorPosition(0);
    }
}

std::size_t TextBox::MaxLength() const {
    return static_cast<std::size_t>(maxLength());
}

// The focus handling runs before this returns. When the window is not active (no window
// manager, or under the offscreen platform) Qt only remembers the box as the window's focus
// widget and sends no FocusIn until the window is activated; the handler is then raised here,
// and raised again harmlessly when the real FocusIn arrives.
void TextBox::SetFocus() {
    if (!isVisibleTo(window()) || !isEnabled()) {
        return;
    }
    gotFocusRaised_ = false;
    setFocus(Qt::OtherFocusReason);
    if (!gotFocusRaised_) {
        emit gotFocus();
    }
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    const std::vector<std::int16_t> codes = keyCodes(*event);
    if (codes.empty() || !onKeyPress) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (codes.size() > 1) {
        insert(filtered(event->text(), onKeyPress));
        event->accept();
        return;
    }
    std::int16_t code = codes.front();
    onKeyPress(code);
    if (code == 0) {
        event->accept(); // cancelled before the box sees it
    } else if (code == worksheet::keys::Backspace || code == worksheet::keys::Enter) {
        // The box edits by the code, as with the plain key, whatever typed it: Ctrl+H is
        // Backspace, and Ctrl+Backspace does not delete a word nor Alt+Backspace undo.
        QKeyEvent plain(QEvent::KeyPress,
                        code == worksheet::keys::Enter ? Qt::Key_Return : Qt::Key_Backspace,
                        Qt::NoModifier, characterText(code));
        QLineEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
    } else if (code == codes.front()) {
        QLineEdit::keyPressEvent(event);
    } else {
        insert(characterText(code));
        event->accept();
    }
}

void TextBox::dragEnterEvent(QDragEnterEvent* event) {
    event->ignore();
}

void TextBox::dropEvent(QDropEvent* event) {
    event->ignore();
}

// Text committed by an input method goes through the KeyPress handler one character at a time.
void TextBox::inputMethodEvent(QInputMethodEvent* event) {
    if (!onKeyPress || event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent passed(event->preeditString(), event->attributes());
    passed.setCommitString(filtered(event->commitString(), onKeyPress), event->replacementStart(),
                           event->replacementLength());
    QLineEdit::inputMethodEvent(&passed);
    event->accept();
}

void TextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    gotFocusRaised_ = true;
    emit gotFocus();
}

Label::Label(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

std::string Label::Caption() const {
    return text().toStdString();
}

void Label::SetCaption(std::string_view caption) {
    setText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

Button::Button(QWidget* parent) : QPushButton(parent) {
    // Enter must reach the handlers, never a default button.
    setAutoDefault(false);
    setDefault(false);
}

std::string Button::Caption() const {
    return text().toStdString();
}

// A button with KeyPress handling of its own (the sample's calculate button) gets Enter as a
// KeyPress only. Any other button is pressed by Enter as by the space bar, so that the keyboard
// reaches everything the mouse does.
void Button::keyPressEvent(QKeyEvent* event) {
    const std::vector<std::int16_t> codes = keyCodes(*event);
    if (onKeyPress && codes.size() == 1) {
        std::int16_t code = codes.front();
        onKeyPress(code);
        if (code == 0) {
            event->accept();
            return;
        }
    } else if (codes.size() == 1 && codes.front() == worksheet::keys::Enter) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

Picture::Picture(QString resource, QWidget* parent)
    : QLabel(parent), resource_(std::move(resource)) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Picture::paintEvent(QPaintEvent* event) {
    if (pixmap().isNull()) {
        setPixmap(QPixmap(resource_));
    }
    QLabel::paintEvent(event);
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {}

std::string ComboBox::Text() const {
    return currentText().toStdString();
}

} // namespace ui
