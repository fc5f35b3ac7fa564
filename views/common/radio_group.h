// A set of radio buttons with a caption, one of which is chosen; its index
// is what the options store. Horizontal sets put the caption in front of
// the buttons, vertical ones above them.
#pragma once

#include <QWidget>

class QButtonGroup;
class QLabel;
class QRadioButton;

namespace mirdal::gui {

class RadioGroup : public QWidget {
  Q_OBJECT
 public:
  // The buttons are named name + "_" + index (rgRegion_0, ...).
  RadioGroup(const QString& name, const QString& caption, const QStringList& items, Qt::Orientation o,
             QWidget* parent = nullptr);

  int checkedIndex() const;
  void setCheckedIndex(int i);  // emits nothing
  QRadioButton* button(int i) const;
  QLabel* caption() const { return caption_; }

 signals:
  void indexChosen(int index);

 private:
  QButtonGroup* group_;
  QLabel* caption_ = nullptr;
};

}  // namespace mirdal::gui
