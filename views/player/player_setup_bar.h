// The player panel's row of choices made before a run: where it starts
// (First Playback, Top Menu or a title), register values after the reset
// ("GPR6=5, PSR10=0x400", as play-disc --set) and the .mnu files standing
// in for the menus of clips (as play-disc --menu). A register list set
// during a run also goes into the player's registers at once.
#pragma once

#include <QWidget>

#include "player/player_setup.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace mirdal::gui {

class Interaction;

class PlayerSetupBar : public QWidget {
  Q_OBJECT
 public:
  PlayerSetupBar(Interaction& ia, QWidget* parent = nullptr);

  // The start choices of this disc; the choice made stays when it is
  // still there.
  void showChoices(const mirdal::IndexFile& index);
  // The setup with the start chosen now.
  mirdal::PlayerSetup setup() const;
  // Why the last register list or .mnu was not taken (empty: it was).
  QString message() const;

 signals:
  void restartRequested();
  // A register list was set: the run going on takes it now.
  void registersSet(const std::vector<mirdal::RegisterSetting>& settings);

 private:
  void setRegisters();
  void chooseMenu();
  void say(const QString& text);

  Interaction& ia_;
  mirdal::PlayerSetup setup_;
  std::vector<mirdal::StartChoice> choices_;
  QComboBox* start_ = nullptr;
  QLineEdit* registers_ = nullptr;
  QLineEdit* clip_ = nullptr;
  QLabel* menus_ = nullptr;
  QLabel* message_ = nullptr;
};

}  // namespace mirdal::gui
