// The "Page view" tab of the menu page: the chosen page as a player shows
// it, run by the menu player. The arrow keys and Enter are the remote
// control while the tab has the focus (every key shows its code on the
// status line); the pointer selects the neighbour it moves onto, a left
// click activates the selected button, and the right button drags a button
// to a new place (Ctrl+Alt on the grid, Shift at double speed, Alt
// vertically only, Ctrl horizontally only).
#pragma once

#include <QWidget>

class QScrollArea;

namespace mirdal::gui {

class MenuContext;
class MenuPlayer;
class MenuViewCanvas;

class MenuViewTab : public QWidget {
  Q_OBJECT
 public:
  MenuViewTab(MenuContext& ctx, QWidget* parent = nullptr);

  MenuPlayer& player() const { return *player_; }
  MenuViewCanvas* canvas() const { return canvas_; }
  QScrollArea* scrollArea() const { return scroll_; }

  // 1:1 with scroll bars, or fitted into the view.
  void setFitted(bool fitted);
  bool fitted() const;
  // The colour around the picture in the 1:1 view.
  void setSurround(const QColor& c);

 protected:
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  void keyPressed(QKeyEvent* e);
  void pointerMoved(QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);
  void pointerPressed(QPoint at, Qt::MouseButton button);
  void endDrag();
  void applyMode();
  // The 1:1 picture from the page's top-left corner.
  void showTopLeft();

  MenuContext& ctx_;
  MenuPlayer* player_;
  MenuViewCanvas* canvas_;
  QScrollArea* scroll_;
  unsigned surroundRgb_ = 0x000080;
  // The view opens, and a menu loaded shows, from the top-left corner; later
  // it stays where the user scrolled it.
  bool atTopLeft_ = true;
};

}  // namespace mirdal::gui
