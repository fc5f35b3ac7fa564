#include "views/menu/picture_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <cstring>

#include "menu/igs_model.h"
#include "menu/page_render.h"

namespace mirdal::gui {

namespace {

QImage fromRgba(int width, int height, const mirdal::Bytes& rgba) {
  if (width <= 0 || height <= 0 || rgba.size() < std::size_t(width) * std::size_t(height) * 4) return {};
  QImage img(width, height, QImage::Format_RGBA8888);
  for (int y = 0; y < height; ++y)
    std::memcpy(img.scanLine(y), rgba.data() + std::size_t(y) * std::size_t(width) * 4, std::size_t(width) * 4);
  return img;
}

}  // namespace

QImage toQImage(const mirdal::Canvas& c) { return fromRgba(c.width, c.height, c.rgba); }
QImage toQImage(const mirdal::RgbaPicture& p) { return fromRgba(p.width, p.height, p.rgba); }

PictureView::PictureView(QWidget* parent) : QWidget(parent), background_(palette().color(QPalette::Window)) {
  setMouseTracking(true);
}

void PictureView::mouseMoveEvent(QMouseEvent* e) {
  if (!fitted_ && !image_.isNull()) emit pointerMoved(e->position().toPoint());
  QWidget::mouseMoveEvent(e);
}

void PictureView::setPicture(const QImage& image) {
  image_ = image;
  text_.clear();
  update();
}

void PictureView::setText(const QString& text) {
  image_ = QImage();
  text_ = text;
  update();
}

void PictureView::clear() { setText(QString()); }

void PictureView::setBackground(const QColor& c) {
  background_ = c;
  update();
}

void PictureView::setFitted(bool fitted) {
  fitted_ = fitted;
  update();
}

QSize PictureView::sizeHint() const { return image_.isNull() ? QSize(160, 90) : image_.size(); }

void PictureView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), background_);
  if (!image_.isNull()) {
    if (!fitted_) {
      p.drawImage(QPoint(0, 0), image_);
    } else {
      const QSize s = image_.size().scaled(size(), Qt::KeepAspectRatio);
      p.setRenderHint(QPainter::SmoothPixmapTransform);
      p.drawImage(QRect(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s), image_);
    }
  } else if (!text_.isEmpty()) {
    p.drawText(rect(), Qt::AlignCenter, text_);
  }
}

}  // namespace mirdal::gui
