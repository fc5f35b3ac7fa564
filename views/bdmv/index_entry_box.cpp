#include "views/bdmv/index_entry_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>

#include "formats/bdmv/bdmv_edit.h"
#include "present/bdmv_rows.h"
#include "present/bdmv_rules.h"
#include "views/common/combo_fill.h"
#include "views/common/named_controls.h"

namespace mirdal::gui {

IndexEntryBox::IndexEntryBox(const IndexEntryNames& n, QWidget* parent)
    : QGroupBox(QString::fromLatin1(n.caption), parent) {
  setObjectName(QString::fromLatin1(n.group));
  auto* l = new QHBoxLayout(this);
  l->setContentsMargins(6, 2, 6, 4);
  l->setSpacing(4);
  on_ = new QCheckBox(this);
  on_->setObjectName(QString::fromLatin1(n.on));
  on_->setToolTip(QString::fromLatin1(n.onHint));
  type_ = namedChoice(n.type, QString::fromLatin1(n.typeHint), this);
  type_->addItems(itemTexts(kObjectTypeItems));
  l->addWidget(on_);
  l->addWidget(type_);
  if (n.playback) {
    playback_ = namedChoice(n.playback, QString::fromLatin1(n.playbackHint), this);
    playback_->addItems(itemTexts(kPlaybackTypeItems));
    l->addWidget(playback_);
  }
  object_ = namedChoice(n.object, tr("Object ID"), this);
  object_->setMinimumContentsLength(3);
  file_ = namedChoice(n.file, tr("BD-J file name"), this);
  file_->setMinimumContentsLength(5);
  file_->setIconSize(QSize(0, 0));  // names only, no room for icons
  file_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  l->addWidget(object_);
  l->addWidget(file_);
  l->addStretch(1);

  connect(on_, &QCheckBox::clicked, this, &IndexEntryBox::onClicked);
  connect(type_, &QComboBox::activated, this, &IndexEntryBox::typeChosen);
  if (playback_) connect(playback_, &QComboBox::activated, this, &IndexEntryBox::playbackChosen);
  connect(object_, &QComboBox::activated, this, &IndexEntryBox::objectChosen);
  connect(file_, &QComboBox::activated, this, &IndexEntryBox::fileChosen);
  enableControls();
}

void IndexEntryBox::setEntry(mirdal::Document<mirdal::IndexFile>* index, mirdal::EntrySlot slot) {
  index_ = index;
  slot_ = slot;
  showEntry();
}

const mirdal::IndexEntry* IndexEntryBox::entry() const {
  return index_ ? &mirdal::indexEntry(index_->model(), slot_) : nullptr;
}

void IndexEntryBox::editEntry(const std::function<void(mirdal::IndexEntry&)>& edit) {
  const auto slot = slot_;
  index_->edit(mirdal::ChangeNotice::rows(IndexPart::Entries, std::size_t(slot)),
               [&](mirdal::IndexFile& m) { edit(mirdal::indexEntry(m, slot)); });
}

void IndexEntryBox::setObjectCount(int objectCount) {
  setNumberItems(object_, objectCount);
  if (index_) showEntry();
}

void IndexEntryBox::setBdjNames(const QStringList& names) {
  setComboItems(file_, names, names.isEmpty() ? -1 : 0);
  if (index_) showEntry();
}

void IndexEntryBox::showEntry() {
  const QSignalBlocker quiet(on_);
  if (!index_) {
    on_->setChecked(false);
    showComboItem(type_, 0);
    if (playback_) showComboItem(playback_, 0);
    showComboItem(object_, -1);
    enableControls();
    return;
  }
  const mirdal::IndexEntry& e = *entry();
  on_->setChecked(entryIsOn(e));
  const bool hdmv = objectTypeItem(e.objectType) == 0;
  showComboItem(type_, objectTypeItem(e.objectType));
  if (playback_) showComboItem(playback_, mirdal::playbackTypeItem(e.playbackType));
  showComboItem(object_, e.movieObjectReference < object_->count() ? e.movieObjectReference : -1);
  // A BD-J entry shows its own name (nothing when the disc has no such
  // file); an HDMV entry leaves the name choice where it is.
  if (!hdmv) showComboItem(file_, file_->findText(discText(e.bdjObjectName)));
  else if (file_->currentIndex() < 0 && file_->count() > 0) showComboItem(file_, 0);
  enableControls();
}

void IndexEntryBox::enableControls() {
  const mirdal::IndexEntry* e = entry();
  const bool loaded = e != nullptr;
  const bool on = loaded && entryIsOn(*e);
  const bool hdmv = loaded && objectTypeItem(e->objectType) == 0;
  on_->setEnabled(loaded);
  // The type can only be changed when there are BD-J objects to choose.
  type_->setEnabled(on && file_->count() > 0);
  if (playback_) playback_->setEnabled(on);
  object_->setEnabled(on && hdmv);
  file_->setEnabled(on && !hdmv);
}

void IndexEntryBox::onClicked(bool on) {
  if (!index_) return;
  const int chosen = object_->currentIndex();
  editEntry([&](mirdal::IndexEntry& e) { setEntryOn(e, on, std::uint16_t(chosen >= 0 ? chosen : 0)); });
  showEntry();
  emit edited();
}

// What the type control shows is what the entry holds: switching to BD-J
// takes the name shown, switching to HDMV the object number shown.
void IndexEntryBox::typeChosen(int item) {
  const auto type = mirdal::valueOfItem(mirdal::kObjectTypeValues, item);
  if (!index_ || !type) return;
  mirdal::TypeSwitch s{*type, std::nullopt, std::nullopt};
  if (file_->currentIndex() >= 0) s.bdjName = file_->currentText().toLatin1().toStdString();
  if (object_->currentIndex() >= 0) s.object = std::uint16_t(object_->currentIndex());
  editEntry([&](mirdal::IndexEntry& e) { switchEntryObjectType(e, s); });
  showEntry();
  emit edited();
}

void IndexEntryBox::playbackChosen(int item) {
  const auto type = mirdal::valueOfItem(mirdal::kPlaybackTypeValues, item);
  if (!index_ || !type) return;
  editEntry([&](mirdal::IndexEntry& e) { setEntryPlaybackType(e, *type); });
  emit edited();
}

void IndexEntryBox::objectChosen(int item) {
  if (!index_ || item < 0) return;
  editEntry([&](mirdal::IndexEntry& e) { setEntryObject(e, std::uint16_t(item)); });
  emit edited();
  emit movieObjectChosen(item);
}

void IndexEntryBox::fileChosen(int item) {
  if (!index_ || item < 0) return;
  const std::string name = file_->currentText().toLatin1().toStdString();
  editEntry([&](mirdal::IndexEntry& e) { setEntryBdjName(e, name); });
  emit edited();
}

}  // namespace mirdal::gui
