#include "ui/read_only_box_accessible.h"

#include "ui/controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace ui {

namespace {

class ReadOnlyBoxAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadOnlyBoxAccessible(QLineEdit* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? box()->text() : QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.selectableText = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(t);
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && box()->hasSelectedText()) {
            *startOffset = box()->selectionStart();
            *endOffset = box()->selectionEnd();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int) override { box()->deselect(); }
    void setSelection(int, int startOffset, int endOffset) override {
        box()->setSelection(startOffset, endOffset - startOffset);
    }

    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }

    QString text(int startOffset, int endOffset) const override {
        if (startOffset > endOffset) {
            return {};
        }
        return box()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }

    // Where the box paints the character: inside its frame, two pixels in, centred vertically,
    // the text laid out from its first character, as results are shown.
    QRect characterRect(int offset) const override {
        const QString content = box()->text();
        if (offset < 0 || offset >= content.size()) {
            return {};
        }
        QStyleOptionFrame frame;
        frame.initFrom(box());
        frame.lineWidth =
            box()->hasFrame()
                ? box()->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, box())
                : 0;
        const QRect inside = box()
                                 ->style()
                                 ->subElementRect(QStyle::SE_LineEditContents, &frame, box())
                                 .marginsRemoved(box()->textMargins());
        const QFontMetrics metrics(box()->font());
        const int left = inside.left() + 2 + metrics.horizontalAdvance(content.left(offset));
        const int top = inside.top() + (inside.height() - metrics.height() + 1) / 2;
        const QRect local(left, top, metrics.horizontalAdvance(content.at(offset)),
                          metrics.height());
        return local.translated(box()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    // The program keeps a result's first digit in view.
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* readOnlyBoxFactory(const QString& className, QObject* object) {
    if (className != QLatin1StringView(TextBox::staticMetaObject.className())) {
        return nullptr;
    }
    auto* box = qobject_cast<TextBox*>(object);
    return box != nullptr && box->isReadOnly() ? new ReadOnlyBoxAccessible(box) : nullptr;
}

} // namespace

void presentReadOnlyBoxesAsReadOnly() {
    static const bool installed = [] {
        QAccessible::installFactory(readOnlyBoxFactory);
        return true;
    }();
    (void)installed;
}

} // namespace ui
