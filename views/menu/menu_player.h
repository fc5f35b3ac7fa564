// The menu page as a player runs it: the engine's renderer and menu
// emulation driven from the GUI thread. A single-shot timer wakes the
// emulation when it next has something to do (an animation step, the next
// effect, the user time-out); the picture is handed out as a QImage whose
// changed rectangles are copied from the engine canvas.
//
// The player works on its own copy of the menu document's model, so that a
// drag can move a button on every pointer move and still reach the document
// as one edit when the button is let go.
#pragma once

#include <QImage>
#include <QObject>
#include <QEventLoop>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "menu/menu_emulation.h"
#include "menu/page_interaction.h"
#include "menu/page_render.h"

namespace mirdal {
struct Options;
struct Workspace;
}  // namespace mirdal

namespace mirdal::gui {

class MenuContext;

// The renderer's settings from the options: colours, overlays, view mode.
mirdal::RenderOptions renderOptionsFrom(const mirdal::Options& o);

class MenuPlayer : public QObject {
  Q_OBJECT
 public:
  explicit MenuPlayer(MenuContext& ctx, QObject* parent = nullptr);
  ~MenuPlayer() override;

  // Milliseconds of any steady clock; tests inject their own.
  void setClock(std::function<std::uint64_t()> ms);
  // Plays button sound `id` of the disc's sound file.
  void setSoundPlayer(std::function<void(int id)> play) { playSound_ = std::move(play); }

  bool canStart() const;
  bool running() const { return running_; }
  bool effectsPlaying() const { return effects_; }
  // Whether the menu is on screen while running (a pop-up menu only after
  // the Pop-up key).
  bool menuShown() const { return running_ && emu_ && emu_->shown(); }
  // The menu loaded is a pop-up menu (user interface model bit set).
  bool popUpMenu() const;
  // Start on the menu page: the page from its defaults, or the next step
  // of a trace in progress.
  void start();
  void key(mirdal::MenuKey k);
  // Lets the emulation catch up with the clock (the timer calls this).
  void advance();
  // Cancel: the effects still playing end at once. True when some played.
  bool skipEffects();
  // The page is no longer shown: the timer stops, the picture stays.
  void stop();
  // The options changed (overlays, colours, background picture): the page
  // is drawn again as it stands.
  void optionsChanged();
  // The run panel's button choice: that button becomes the selected one.
  void chooseButton(int id);

  // Pointer rules, in page pixels (hover and click) or view pixels (drag).
  void hover(mirdal::Point page);
  bool overSelected(mirdal::Point page) const;
  // A left click on the selected button activates it.
  void click(mirdal::Point page);
  bool beginDrag(mirdal::Point page, mirdal::Point view);
  bool dragging() const { return drag_.has_value(); }
  // One pointer move of the drag; the status text it shows.
  std::string dragTo(mirdal::Point view, mirdal::DragMode mode);
  // The drag ends: the button's new place reaches the document as one edit.
  void endDrag();

  int page() const;
  std::uint32_t selectedButton() const;
  const QImage& image() const { return image_; }
  const mirdal::PageRenderer& renderer() const { return r_; }
  // The button ids of the shown page, as the button choice lists them.
  int buttonSlots() const { return int(r_.states.size()); }

 signals:
  void pictureChanged();
  // The state table was rebuilt (another page): the button choice is filled
  // anew.
  void buttonsChanged();
  // The button choice shows this button.
  void buttonShown(int id);
  // A button's commands ran or a trace step was taken: the registers and
  // the run panel show the outcome.
  void ranCommands(const mirdal::ExecResult& r, int button);
  // Effects started or ended (Cancel may end them).
  void effectsPlayingChanged(bool playing);
  // A pop-up menu was opened or closed.
  void popUpChanged(bool shown);

 private:
  mirdal::Workspace& ws() const;
  void takeModel();
  void showStill();
  void restartEmulator();
  void settle(bool ran);
  std::uint32_t selectedOnStill() const;
  void copyDirty();
  void schedule();
  void showRegistersLine();
  void showActivated();
  std::uint64_t now() const { return clock_(); }

  MenuContext& ctx_;
  mirdal::IgMenu menu_;
  mirdal::PageRenderer r_;
  std::unique_ptr<mirdal::MenuEmulator> emu_;
  std::function<std::uint64_t()> clock_;
  std::function<void(int)> playSound_;
  QTimer timer_;
  QImage image_;
  bool running_ = false;
  bool effects_ = false;
  bool pressing_ = false;  // the activated state is on screen
  QEventLoop* pressWait_ = nullptr;
  int activeButton_ = -1;  // the button whose commands ran last
  int stillSelected_ = -1;  // the button choice before Start
  std::string backgroundPicture_;
  struct Drag {
    std::uint16_t id;
    mirdal::Point origin;
  };
  std::optional<Drag> drag_;
  // The document outlives the player except while the window is destroyed.
  std::weak_ptr<const void> documentAlive_;
};

}  // namespace mirdal::gui
