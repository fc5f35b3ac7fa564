// The First Playback and Top Menu groups of the "index.bdmv" group: the
// on/off box, the object type, the playback type (First Playback only), the
// movie object number and the BD-J object name of one entry.
//
// Showing an entry never writes it: an entry is written only by the user's
// choices, so an entry the controls cannot show (a reference past the last
// movie object) stays as read until the user changes it.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QCheckBox;
class QComboBox;

#include <functional>

#include "documents/document.h"
#include "formats/bdmv/bdmv_edit.h"

namespace mirdal::gui {

struct IndexEntryNames {
  const char* group;      // gbFirstPlayback
  const char* caption;    // "First Playback"
  const char* on;         // cbFPBon
  const char* onHint;
  const char* type;       // cbFPBtype
  const char* typeHint;
  const char* playback;   // cbFPBTitlePBtype; nullptr: no playback type control
  const char* playbackHint;
  const char* object;     // cbFPBObject
  const char* file;       // cbFPBFile
};

class IndexEntryBox : public QGroupBox {
  Q_OBJECT
 public:
  IndexEntryBox(const IndexEntryNames& names, QWidget* parent = nullptr);

  // The entry edited: First Playback or Top Menu of the index document;
  // nullptr while no index is loaded (everything disabled).
  void setEntry(mirdal::Document<mirdal::IndexFile>* index, mirdal::EntrySlot slot);
  // The choices: movie object numbers 0 to objectCount - 1, the disc's BD-J
  // object names.
  void setObjectCount(int objectCount);
  void setBdjNames(const QStringList& names);
  // Shows the entry and enables the controls that apply to it.
  void showEntry();

  QCheckBox* onBox() const { return on_; }
  QComboBox* typeChoice() const { return type_; }
  QComboBox* playbackChoice() const { return playback_; }
  QComboBox* objectChoice() const { return object_; }
  QComboBox* fileChoice() const { return file_; }

 signals:
  // The entry was changed by the user (the title counter follows).
  void edited();
  // The user chose movie object `object` for an HDMV entry.
  void movieObjectChosen(int object);

 private:
  void onClicked(bool on);
  void typeChosen(int item);
  void playbackChosen(int item);
  void objectChosen(int item);
  void fileChosen(int item);
  void enableControls();

  // The entry shown, nullptr for none.
  const mirdal::IndexEntry* entry() const;
  // Runs an engine edit of the entry through the index document.
  void editEntry(const std::function<void(mirdal::IndexEntry&)>& edit);

  mirdal::Document<mirdal::IndexFile>* index_ = nullptr;
  mirdal::EntrySlot slot_ = mirdal::EntrySlot::FirstPlayback;
  QCheckBox* on_;
  QComboBox* type_;
  QComboBox* playback_ = nullptr;
  QComboBox* object_;
  QComboBox* file_;
};

}  // namespace mirdal::gui
