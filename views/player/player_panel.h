// The player panel ("Play disc" on the "&BDMV" page): the disc played from
// First Playback as a player would, with the place it has reached, a
// timeline of the playing playlist with its marks, the menu on screen
// (keys, mouse and the remote's buttons drive it), Start / Pause / Step,
// the setup row (start place, register list, .mnu files of clips), the
// registers and the trace. A double-click on a trace line names the
// object and line it came from.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "player/disc_player.h"
#include "player/player_setup.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class Interaction;
class MenuViewCanvas;
class PlayerSetupBar;

// PlayItems as segments, marks as ticks, the position as a line.
class PlayerTimeline : public QWidget {
  Q_OBJECT
 public:
  explicit PlayerTimeline(QWidget* parent = nullptr);
  void show(const mirdal::Timeline* tl, std::uint64_t position);
  QSize sizeHint() const override { return {400, 28}; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  mirdal::Timeline tl_;
  bool playing_ = false;
  std::uint64_t position_ = 0;
};

class PlayerPanel : public QWidget {
  Q_OBJECT
 public:
  PlayerPanel(mirdal::Workspace& ws, Interaction& ia, QWidget* parent = nullptr);
  ~PlayerPanel() override;

  // Starts the disc from First Playback on the workspace's registers.
  void startDisc();
  // Starts it at the place chosen in the setup row, with its registers and
  // menus.
  void restartDisc();
  void press(const mirdal::UserOp& op);
  mirdal::DiscPlayer* player() { return player_.get(); }
  QListWidget* trace() const { return trace_; }

 signals:
  // A trace line of a movie object command was double-clicked.
  void objectLineRequested(int object, int line);
  // A trace line of a menu's button was double-clicked: the menu of clip
  // `clip`, its page and button id.
  void menuButtonRequested(const mirdal::IgMenu& menu, const QString& clip, int page, int button);
  // The registers changed (the register panel shows them again).
  void registersChanged();

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void tick();
  void step();
  void showState();
  void takeEvents();
  void startAt(const mirdal::PlayerSetup& setup);

  mirdal::Workspace& ws_;
  std::unique_ptr<mirdal::EditedDisc> disc_;
  std::unique_ptr<mirdal::DiscPlayer> player_;
  std::vector<mirdal::DiscEvent> shown_;  // the events in the trace list, in order
  QLabel* fields_[6] = {};
  QLabel* stop_ = nullptr;
  PlayerSetupBar* setup_ = nullptr;
  PlayerTimeline* timeline_ = nullptr;
  MenuViewCanvas* canvas_ = nullptr;
  QImage image_;
  QPlainTextEdit* registers_ = nullptr;
  QListWidget* trace_ = nullptr;
  QPushButton* start_ = nullptr;
  QTimer* timer_ = nullptr;
  qint64 lastTick_ = 0;
};

}  // namespace mirdal::gui
