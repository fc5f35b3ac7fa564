#include "views/common/filtered_edit.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include "views/common/key_filter.h"

namespace mirdal::gui {

QSize FilteredEdit::sizeHint() const {
  const QFontMetrics fm(font());
  QStyleOptionFrame opt;
  opt.initFrom(this);
  const QSize content(fm.horizontalAdvance(QString(shownChars(), widthSample_)) + 6, fm.height() + 2);
  return style()->sizeFromContents(QStyle::CT_LineEdit, &opt, content, this);
}

void FilteredEdit::keyPressEvent(QKeyEvent* e) {
  if (filterKey(e, [this](QChar c) { return accepts(c); }) == KeyVerdict::Swallow) {
    refuseKey(e);
    return;
  }
  QLineEdit::keyPressEvent(e);
}

}  // namespace mirdal::gui
