// Draws list-box lines with tab stops, and gives every line the list's horizontal extent.
#pragma once

#include <QStyledItemDelegate>

class ListBoxDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  int tabStop = 0;  // pixels; 0: the font's own
  int extent = 0;   // pixels across every line takes at least
};
