#include "platform/framework/ListBoxDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QTextOption>

void ListBoxDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem background = option;
  initStyleOption(&background, index);
  const QString text = background.text;
  background.text.clear();
  QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &background, painter, background.widget);
  QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
  if (tabStop > 0) layout.setTabStopDistance(tabStop);
  layout.setWrapMode(QTextOption::NoWrap);
  painter->save();
  painter->setPen(option.palette.color(option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
  painter->drawText(QRectF(option.rect.adjusted(2, 0, 0, 0)), text, layout);
  painter->restore();
}

QSize ListBoxDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  size.setWidth(std::max(size.width(), extent));
  return size;
}
