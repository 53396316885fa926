#include "analysis/full_text.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace analysis {

QString FullTextDelegate::toolTip(const QAbstractItemView* view, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString tip = index.data(Qt::ToolTipRole).toString();
    const QString text = item.text;
    if (text.isEmpty()) {
        return tip;
    }
    const QStyle* style = view->style();
    const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &item, view);
    // The text is laid out inside the style's margins on either side.
    const int margins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    const bool cut = item.fontMetrics.horizontalAdvance(text) > room.width() - margins;
    if (!cut || tip.contains(text)) {
        return tip;
    }
    return tip.isEmpty() ? text : text + u'\n' + tip;
}

bool FullTextDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                 const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event == nullptr || view == nullptr || event->type() != QEvent::ToolTip) {
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }
    const QString tip = toolTip(view, option, index);
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return false;
    }
    QToolTip::showText(event->globalPos(), tip, view->viewport(), view->visualRect(index));
    return true;
}

void showFullTexts(QAbstractItemView& view) {
    view.setItemDelegate(new FullTextDelegate(&view));
}

} // namespace analysis
