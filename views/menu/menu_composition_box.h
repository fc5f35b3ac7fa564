// The composition group of the menu page ("gbIGSInfo"): video format, frame
// rate, user time-out and IN_time of the loaded or created menu.
#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;

namespace mirdal::gui {

class MenuContext;

class MenuCompositionBox : public QWidget {
  Q_OBJECT
 public:
  MenuCompositionBox(MenuContext& ctx, QWidget* parent = nullptr);

  QComboBox* videoSizeChoice() const { return video_; }
  QComboBox* compositionFrameRateChoice() const { return frame_; }
  QLineEdit* userTimeoutField() const { return timeout_; }
  QLineEdit* inTimeField() const { return inTime_; }

  // Shows what the menu holds (everything empty and disabled without one).
  void showComposition();

 signals:
  // Enter in the time-out field: the page list takes the focus.
  void timeoutEntered();

 private:
  void videoChosen(int item);
  void frameChosen(int item);
  void storeTimeout();

  MenuContext& ctx_;
  QComboBox* video_;
  QComboBox* frame_;
  QLineEdit* timeout_;
  QLineEdit* inTime_;
};


}  // namespace mirdal::gui
