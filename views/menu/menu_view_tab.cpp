#include "views/menu/menu_view_tab.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/report.h"
#include "views/common/document_signals.h"
#include "views/common/key_code.h"
#include "views/menu/menu_context.h"
#include "views/menu/menu_player.h"
#include "views/menu/menu_view_canvas.h"
#include "views/common/gui_reporter_access.h"

namespace mirdal::gui {

MenuViewTab::MenuViewTab(MenuContext& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), player_(new MenuPlayer(ctx, this)) {
  setObjectName("tsPageView");
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  scroll_ = new QScrollArea(this);
  scroll_->setObjectName("sbFullPage");
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setAutoFillBackground(true);
  scroll_->viewport()->setAutoFillBackground(true);
  canvas_ = new MenuViewCanvas;
  canvas_->setImage(&player_->image());
  scroll_->setWidget(canvas_);
  l->addWidget(scroll_);

  connect(player_, &MenuPlayer::pictureChanged, canvas_, [this] {
    if (!canvas_->fitted() && canvas_->size() != player_->image().size()) canvas_->resize(player_->image().size());
    canvas_->update();
  });
  connect(canvas_, &MenuViewCanvas::keyPressed, this, &MenuViewTab::keyPressed);
  connect(canvas_, &MenuViewCanvas::pointerMoved, this, &MenuViewTab::pointerMoved);
  connect(canvas_, &MenuViewCanvas::pointerPressed, this,
          [this](QPoint at, Qt::MouseButton b, Qt::KeyboardModifiers) { pointerPressed(at, b); });
  connect(canvas_, &MenuViewCanvas::pointerReleased, this, [this](QPoint, Qt::MouseButton b) {
    if (b == Qt::RightButton) endDrag();
  });
  connect(canvas_, &MenuViewCanvas::pointerLeft, this, &MenuViewTab::endDrag);
  // Another menu opens at the page's top-left corner too.
  connect(&ctx_.changes(), &DocumentSignals::changed, this, [this](const mirdal::ChangeNotice& n) {
    if (n.cause != mirdal::ChangeNotice::Cause::Load) return;
    atTopLeft_ = true;
    if (isVisible()) showTopLeft();
  });
  applyMode();
}

void MenuViewTab::showTopLeft() {
  scroll_->horizontalScrollBar()->setValue(scroll_->horizontalScrollBar()->minimum());
  scroll_->verticalScrollBar()->setValue(scroll_->verticalScrollBar()->minimum());
  atTopLeft_ = false;
}

void MenuViewTab::setFitted(bool fitted) {
  canvas_->setFitted(fitted);
  applyMode();
}

bool MenuViewTab::fitted() const { return canvas_->fitted(); }

void MenuViewTab::setSurround(const QColor& c) {
  surroundRgb_ = c.rgb() & 0xFFFFFF;
  applyMode();
}

// Fitted: no scroll bars, black around the picture. 1:1: the picture at its
// size from the top-left corner, the menu background colour around it.
void MenuViewTab::applyMode() {
  const bool fit = canvas_->fitted();
  const QColor around = fit ? QColor(Qt::black) : QColor::fromRgb(surroundRgb_);
  QPalette pal = scroll_->viewport()->palette();
  pal.setColor(QPalette::Window, around);
  scroll_->viewport()->setPalette(pal);
  canvas_->setSurround(around);
  const bool wasFitted = scroll_->widgetResizable();
  scroll_->setWidgetResizable(fit);
  const Qt::ScrollBarPolicy bars = fit ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
  scroll_->setHorizontalScrollBarPolicy(bars);
  scroll_->setVerticalScrollBarPolicy(bars);
  if (!fit && !player_->image().isNull()) canvas_->resize(player_->image().size());
  // Leaving the fitted view shows the 1:1 picture from its top-left corner.
  if (!fit && wasFitted) showTopLeft();
  canvas_->update();
}

void MenuViewTab::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (atTopLeft_) showTopLeft();
  canvas_->setFocus();
  // Time went on while the view was hidden: the emulation catches up.
  player_->advance();
}

void MenuViewTab::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  endDrag();
  player_->stop();
}

void MenuViewTab::keyPressed(QKeyEvent* e) {
  guiReporter().setStatusPanel(std::to_string(keyCodeOf(e)), 1);
  if (e->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return e->ignore();  // accelerators
  switch (e->key()) {
    case Qt::Key_Up: player_->key(mirdal::MenuKey::Up); break;
    case Qt::Key_Down: player_->key(mirdal::MenuKey::Down); break;
    case Qt::Key_Left: player_->key(mirdal::MenuKey::Left); break;
    case Qt::Key_Right: player_->key(mirdal::MenuKey::Right); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: player_->key(mirdal::MenuKey::Select); break;
    case Qt::Key_P: player_->key(mirdal::MenuKey::PopUp); break;
    default: return e->ignore();
  }
  e->accept();
}

void MenuViewTab::pointerMoved(QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
  if (player_->dragging()) {
    if (!(buttons & Qt::RightButton)) return endDrag();
    const mirdal::DragMode mode = mirdal::dragModeFor(mods & Qt::ControlModifier, mods & Qt::AltModifier,
                                                      mods & Qt::ShiftModifier);
    guiReporter().setStatusPanel(player_->dragTo({at.x(), at.y()}, mode), 1);
    return;
  }
  const mirdal::Point p = canvas_->toPage(at);
  player_->hover(p);
  canvas_->setCursor(player_->overSelected(p) ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void MenuViewTab::pointerPressed(QPoint at, Qt::MouseButton button) {
  const mirdal::Point p = canvas_->toPage(at);
  if (button == Qt::LeftButton) {
    player_->click(p);
  } else if (button == Qt::RightButton && player_->beginDrag(p, {at.x(), at.y()})) {
    canvas_->setCursor(Qt::SizeAllCursor);
  }
}

void MenuViewTab::endDrag() {
  if (!player_->dragging()) return;
  player_->endDrag();
  canvas_->setCursor(Qt::ArrowCursor);
  canvas_->update();
}

}  // namespace mirdal::gui
