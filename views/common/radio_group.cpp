#include "views/common/radio_group.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>

namespace mirdal::gui {

RadioGroup::RadioGroup(const QString& name, const QString& caption, const QStringList& items, Qt::Orientation o,
                       QWidget* parent)
    : QWidget(parent), group_(new QButtonGroup(this)) {
  setObjectName(name);
  const bool across = o == Qt::Horizontal;
  auto* outer = new QBoxLayout(across ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(across ? 12 : 2);
  if (!caption.isEmpty()) {
    caption_ = new QLabel(caption, this);
    outer->addWidget(caption_);
  }
  auto* buttons = new QBoxLayout(across ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
  buttons->setSpacing(across ? 12 : 2);
  // Vertical sets stand indented under their caption.
  if (!across && caption_) buttons->setContentsMargins(style()->pixelMetric(QStyle::PM_IndicatorWidth) / 2, 0, 0, 0);
  for (int i = 0; i < items.size(); ++i) {
    auto* b = new QRadioButton(items[i], this);
    b->setObjectName(name + QLatin1Char('_') + QString::number(i));
    group_->addButton(b, i);
    buttons->addWidget(b);
  }
  outer->addLayout(buttons);
  if (across) outer->addStretch(1);
  connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::indexChosen);
}

int RadioGroup::checkedIndex() const { return group_->checkedId(); }

void RadioGroup::setCheckedIndex(int i) {
  const QSignalBlocker block(group_);
  if (QAbstractButton* b = group_->button(i)) b->setChecked(true);
}

QRadioButton* RadioGroup::button(int i) const { return qobject_cast<QRadioButton*>(group_->button(i)); }

}  // namespace mirdal::gui
