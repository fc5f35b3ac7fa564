// The page picture of the "Page view" tab (`iFullPage`): the player's image
// at 1:1 from the top-left corner (the scroll area around it scrolls), or
// fitted into the widget with its aspect kept and centred. Pointer and key
// events go out as signals; the tab decides what they do.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include "menu/page_interaction.h"

namespace mirdal::gui {

// Where a w x h picture lies when it is fitted into an area of the given
// size: the area less one pixel on every side, the aspect kept by
// shortening one side, centred.
QRect fittedPictureRect(QSize area, QSize picture);

class MenuViewCanvas : public QWidget {
  Q_OBJECT
 public:
  explicit MenuViewCanvas(QWidget* parent = nullptr);

  // The picture is not copied: it is drawn as it is at each paint.
  void setImage(const QImage* image);
  void setFitted(bool fitted);
  bool fitted() const { return fitted_; }
  void setSurround(const QColor& c);

  // Where the picture is drawn, in widget pixels.
  QRect pictureRect() const;
  // A widget point in page pixels.
  mirdal::Point toPage(QPoint p) const;
  QSize sizeHint() const override;

 signals:
  void pointerMoved(QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);
  void pointerPressed(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods);
  void pointerReleased(QPoint at, Qt::MouseButton button);
  void pointerLeft();
  void keyPressed(QKeyEvent* e);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  const QImage* image_ = nullptr;
  QColor surround_;
  bool fitted_ = false;
};

}  // namespace mirdal::gui
