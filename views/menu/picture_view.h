// Shows an engine picture (an object through a palette, a rendered page, a
// palette chart) in a widget: the engine draws RGBA bytes, QImage appears
// only here at the view's edge.
#pragma once

#include <QImage>
#include <QWidget>

namespace mirdal {
struct Canvas;
struct RgbaPicture;
}  // namespace mirdal

namespace mirdal::gui {

// Copies of the engine's RGBA pixels (the engine buffer may change later).
QImage toQImage(const mirdal::Canvas& c);
QImage toQImage(const mirdal::RgbaPicture& p);

// A picture drawn at 1:1 in the top-left corner over a background colour,
// or fitted into the widget keeping its aspect; a text instead of a picture
// when there is none ("No object assigned").
class PictureView : public QWidget {
  Q_OBJECT
 public:
  explicit PictureView(QWidget* parent = nullptr);

  void setPicture(const QImage& image);
  void setText(const QString& text);  // clears the picture
  void clear();
  void setBackground(const QColor& c);
  void setFitted(bool fitted);

  const QImage& picture() const { return image_; }
  QSize sizeHint() const override;

 signals:
  // The pointer moved over the picture: the point in picture pixels (only
  // at 1:1, where widget and picture pixels are the same).
  void pointerMoved(QPoint at);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  QImage image_;
  QString text_;
  QColor background_;
  bool fitted_ = false;
};

}  // namespace mirdal::gui
