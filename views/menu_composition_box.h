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

  QComboBox* cbVideo() const { return video_; }
  QComboBox* cbFrame() const { return frame_; }
  QLineEdit* eUTO() const { return timeout_; }
  QLineEdit* meIGInTime() const { return inTime_; }

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

// The item of the video list for a composition size: 1920 wide, 1280 wide,
// 576 high, 480 high; -1 for any other size.
int videoItemOf(int width, int height);
// "h:mm:ss" of a time-out in 90 kHz ticks, and back (-1 for a text that is
// not such a time).
QString timeoutText(std::uint32_t ticks);
std::int64_t timeoutTicks(const QString& text);

}  // namespace mirdal::gui
