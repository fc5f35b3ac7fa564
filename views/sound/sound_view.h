// The "sound.bdmv" view of the "&BDMV" page: the sound entries grid, play
// and save-as-WAV buttons, insert and delete, and the ExtensionData caption
// with its "Edit" button.
//
// Every change goes through ws.sound.edit with the engine's sound edits
// (audio/sound_wav.h, formats/sound_bdmv.h), so Undo and the "*" of unsaved
// changes follow. The view does not play sounds itself: playRequested names
// the entry and the main window hands it to the program's audio output.
#pragma once

#include <QWidget>
#include <cstddef>

#include "views/common/page_view.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace mirdal {
struct ChangeNotice;
struct Workspace;
}  // namespace mirdal

namespace mirdal::gui {

class Interaction;
class StringGrid;

class SoundView : public QWidget, public PageView {
  Q_OBJECT
 public:
  SoundView(mirdal::Workspace& ws, Interaction& ia, QWidget* parent = nullptr);

  StringGrid* soundGrid() const { return grid_; }
  QToolButton* playSoundButton() const { return play_; }
  QToolButton* saveSoundButton() const { return export_; }
  QToolButton* insertSoundButton() const { return ins_; }
  QToolButton* deleteSoundButton() const { return del_; }
  QLabel* soundExtDataLabel() const { return extCaption_; }
  QPushButton* soundExtDataButton() const { return extEdit_; }

  // The selected entry, -1 for none.
  int selectedSound() const;
  void selectSound(int i);

  // Ins: a sound from a WAV file goes in after the selected entry (first
  // when there is none). True when one was inserted.
  bool insertSound();
  // Shift+Del: the selected entry goes.
  void deleteSound();
  // Save sound entry: the selected entry as a WAV file.
  void exportSound();
  void playSelected();

  // "Create sound.bdmv": a new, empty file that takes a first sound from a
  // WAV file. Without a sound nothing is created. True when it was.
  bool createSound();

  // PageView: shows what ws.sound holds; Save writes it while it is loaded.
  void refresh() override;
  bool hasSomethingToSave() const override;
  void save() override;

 signals:
  // Play entry i of ws.sound.
  void playRequested(std::size_t entry);
  // The view showed the Workspace again (after a Read): what can be
  // created or saved may have changed.
  void shown();

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void fillGrid();
  void soundChanged(const mirdal::ChangeNotice& n);
  void rowClicked(int row);
  void enableButtons();
  void editExtensionData();
  bool loaded() const;

  mirdal::Workspace& ws_;
  Interaction& ia_;
  StringGrid* grid_;
  QToolButton* play_;
  QToolButton* export_;
  QToolButton* ins_;
  QToolButton* del_;
  QLabel* extCaption_;
  QPushButton* extEdit_;
  bool quiet_ = false;  // selecting without the status-line text of a click
};

}  // namespace mirdal::gui
