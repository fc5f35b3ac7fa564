#include "views/menu/menu_view_canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace mirdal::gui {

QRect fittedPictureRect(QSize area, QSize picture) {
  const long long areaWidth = std::max(0, area.width() - 2), areaHeight = std::max(0, area.height() - 2);
  const long long w = picture.width(), h = picture.height();
  if (w <= 0 || h <= 0 || areaWidth <= 0 || areaHeight <= 0) return {};
  long long width = areaWidth, height = areaHeight;
  if (areaWidth * h < w * areaHeight) height = areaWidth * h / w;
  if (w * areaHeight < areaWidth * h) width = w * areaHeight / h;
  return QRect(int((areaWidth - width) / 2 + 1), int((areaHeight - height) / 2 + 1), int(width), int(height));
}

MenuViewCanvas::MenuViewCanvas(QWidget* parent) : QWidget(parent), surround_(Qt::black) {
  setObjectName("iFullPage");
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void MenuViewCanvas::setImage(const QImage* image) {
  image_ = image;
  updateGeometry();
  update();
}

void MenuViewCanvas::setFitted(bool fitted) {
  fitted_ = fitted;
  updateGeometry();
  update();
}

void MenuViewCanvas::setSurround(const QColor& c) {
  surround_ = c;
  update();
}

QRect MenuViewCanvas::pictureRect() const {
  if (!image_ || image_->isNull()) return {};
  return fitted_ ? fittedPictureRect(size(), image_->size()) : QRect(QPoint(0, 0), image_->size());
}

mirdal::Point MenuViewCanvas::toPage(QPoint p) const {
  const QRect r = pictureRect();
  if (!fitted_ || r.isEmpty()) return {p.x(), p.y()};
  return mirdal::viewToPage({p.x() - r.left(), p.y() - r.top()}, r.width(), r.height());
}

QSize MenuViewCanvas::sizeHint() const {
  if (fitted_ || !image_ || image_->isNull()) return {480, 270};
  return image_->size();
}

void MenuViewCanvas::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  p.fillRect(e->rect(), surround_);
  const QRect r = pictureRect();
  if (r.isEmpty()) return;
  if (!fitted_) {
    p.drawImage(e->rect().topLeft(), *image_, e->rect());
  } else {
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(r, *image_);
  }
}

void MenuViewCanvas::mouseMoveEvent(QMouseEvent* e) {
  emit pointerMoved(e->position().toPoint(), e->buttons(), e->modifiers());
}

void MenuViewCanvas::mousePressEvent(QMouseEvent* e) {
  setFocus(Qt::MouseFocusReason);
  emit pointerPressed(e->position().toPoint(), e->button(), e->modifiers());
}

void MenuViewCanvas::mouseReleaseEvent(QMouseEvent* e) { emit pointerReleased(e->position().toPoint(), e->button()); }

void MenuViewCanvas::leaveEvent(QEvent* e) {
  emit pointerLeft();
  QWidget::leaveEvent(e);
}

void MenuViewCanvas::keyPressEvent(QKeyEvent* e) {
  emit keyPressed(e);
  if (!e->isAccepted()) QWidget::keyPressEvent(e);
}

}  // namespace mirdal::gui
