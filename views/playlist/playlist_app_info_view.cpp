#include "views/playlist/playlist_app_info_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "documents/workspace.h"
#include "formats/playlist/mpls_edit.h"
#include "formats/playlist/playlist_field_edit.h"
#include "present/stream_texts.h"
#include "present/playlist_rules.h"
#include "views/common/combo_fill.h"
#include "views/common/document_signals.h"
#include "views/common/hex_edit.h"
#include "views/common/int_edit.h"
#include "views/common/named_controls.h"

namespace mirdal::gui {

namespace {

constexpr int kUoColumns = 4;

QCheckBox* namedBox(const QString& name, const QString& caption, const QString& hint, QWidget* parent) {
  auto* b = new QCheckBox(caption, parent);
  b->setObjectName(name);
  b->setToolTip(hint);
  return b;
}

QString codeText(std::string_view s) { return QString::fromLatin1(s.data(), qsizetype(s.size())).trimmed(); }

}  // namespace

PlaylistAppInfoView::PlaylistAppInfoView(mirdal::Workspace& ws, QWidget* parent) : QWidget(parent), ws_(ws) {
  setObjectName("vPlaylistAppInfo");
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(4);

  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(4);
  fields->setVerticalSpacing(2);
  type_ = namedChoice("cbPlaybackType", tr("Playback type"), this);
  type_->addItems(itemTexts(playlistPlaybackTypeItems()));
  count_ = new IntEdit(this, 4);
  count_->setObjectName("iePlaybackCount");
  count_->setMaxLength(4);
  count_->setToolTip(tr("Playback count for random and shuffle play"));
  uo1_ = new HexEdit(this, 8);
  uo1_->setObjectName("hePLUO1");
  uo1_->setToolTip(tr("User Operation Mask Table"));
  uo2_ = new HexEdit(this, 8);
  uo2_->setObjectName("hePLUO2");
  uo2_->setToolTip(tr("User Operation Mask Table #2"));
  auto label = [this](const QString& text, QWidget* buddy) {
    auto* lb = new QLabel(text, this);
    lb->setBuddy(buddy);
    return lb;
  };
  fields->addWidget(label(tr("Type"), type_), 0, 0);
  fields->addWidget(type_, 0, 1);
  fields->addWidget(label(tr("Count"), count_), 1, 0);
  fields->addWidget(count_, 1, 1, Qt::AlignLeft);
  fields->addWidget(label(tr("UO1"), uo1_), 2, 0);
  fields->addWidget(uo1_, 2, 1, Qt::AlignLeft);
  fields->addWidget(label(tr("UO2"), uo2_), 3, 0);
  fields->addWidget(uo2_, 3, 1, Qt::AlignLeft);
  fields->setColumnStretch(2, 1);
  l->addLayout(fields);

  flags_[0] = namedBox("cbRandomAccess", tr("random access"), tr("PlayList_random_access_flag"), this);
  flags_[1] = namedBox("cbAudioMix", tr("audio mix"), tr("audio_mix_app_flag"), this);
  flags_[2] = namedBox("cbBypassMixer", tr("bypass mixer"), tr("lossless_may_bypass_mixer_flag"), this);
  for (QCheckBox* b : flags_) l->addWidget(b);

  // The mask bits: a box per bit, captioned with its number; the hint says
  // what the bit forbids.
  auto* uoTitle = new QLabel(tr("User operations masked:"), this);
  l->addWidget(uoTitle);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(0);
  for (int bit = 31; bit >= 0; --bit) {
    QCheckBox* b = namedBox(QStringLiteral("cbUO%1").arg(bit), QString::number(bit), codeText(uoMaskText(bit)), this);
    bits_[std::size_t(bit)] = b;
    const int k = 31 - bit;
    grid->addWidget(b, k / kUoColumns, k % kUoColumns);
  }
  uoMask2Bit30_ = namedBox("cbUO2_30", tr("2:30"), codeText(uoMask2Text()), this);
  grid->addWidget(uoMask2Bit30_, 32 / kUoColumns, 0);
  grid->setColumnStretch(kUoColumns, 1);
  l->addLayout(grid);
  l->addStretch(1);

  connect(type_, &QComboBox::activated, this, [this](int i) {
    if (const auto type = playbackTypeOfItem(i))
      ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::AppInfo, 0), [&](Playlist& m) { return setPlaybackType(m, *type); });
  });
  connect(count_, &QLineEdit::editingFinished, this, [this] {
    const std::uint16_t v = clampedPlaybackCount(count_->value());
    ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::AppInfo, 0), [&](Playlist& m) { return setPlaybackCount(m, v); });
    count_->setValue(ws_.playlist.model().playbackCount);
  });
  // Typing a word shows its bits at once; word 2 keeps only its named bit.
  connect(uo1_, &QLineEdit::textEdited, this, [this] {
    const auto v = std::uint32_t(uo1_->value());
    typing_ = uo1_;
    ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::AppInfo, 0), [&](Playlist& m) { setUoMask(m, UoWord::First, v); });
    typing_ = nullptr;
  });
  connect(uo2_, &QLineEdit::textEdited, this, [this] {
    const auto v = std::uint32_t(uo2_->value());
    typing_ = uo2_;
    ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::AppInfo, 0), [&](Playlist& m) { setUoMask(m, UoWord::Second, v); });
    typing_ = nullptr;
  });
  // Leaving a word (or Enter) shows it as held: word 2 with its named bit only.
  connect(uo1_, &QLineEdit::editingFinished, this, &PlaylistAppInfoView::showWords);
  connect(uo2_, &QLineEdit::editingFinished, this, &PlaylistAppInfoView::showWords);
  for (int bit = 0; bit < 32; ++bit) {
    connect(bits_[std::size_t(bit)], &QCheckBox::clicked, this, [this, bit](bool on) {
      ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::AppInfo, 0),
                        [&](Playlist& m) { return setUoMaskBit(m, UoWord::First, bit, on); });
    });
  }
  connect(uoMask2Bit30_, &QCheckBox::clicked, this, [this](bool on) {
    ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::AppInfo, 0),
                      [&](Playlist& m) { return setUoMaskBit(m, UoWord::Second, kUoWord2NamedBit, on); });
  });
  for (int i = 0; i < 3; ++i)
    connect(flags_[std::size_t(i)], &QCheckBox::clicked, this, [this, i](bool on) { setFlag(i, on); });

  // Undo, Redo and the page's other edits: the words and boxes follow the
  // model; a word being typed is left as the user types it.
  connect(new DocumentSignals(ws_.playlist, this), &DocumentSignals::changed, this,
          [this](const ChangeNotice& n) {
            if (n.cause != ChangeNotice::Cause::Edit || !n.names(PlaylistPart::AppInfo)) refresh();
            else showWords();
          });
  refresh();
}

void PlaylistAppInfoView::setFlag(int which, bool on) {
  const AppInfoFlag flag = which == 0 ? AppInfoFlag::RandomAccess : which == 1 ? AppInfoFlag::AudioMix : AppInfoFlag::BypassMixer;
  ws_.playlist.edit(ChangeNotice::rows(PlaylistPart::AppInfo, 0), [&](Playlist& m) { setAppInfoFlag(m, flag, on); });
}

void PlaylistAppInfoView::refresh() {
  const bool on = ws_.playlist.loaded();
  const Playlist& m = ws_.playlist.model();
  showComboItem(type_, on ? playlistPlaybackTypeItem(m.playbackType) : -1);
  if (on) count_->setValue(m.playbackCount);
  else count_->clear();
  const std::uint8_t flags[] = {m.randomAccessFlag, m.audioMixFlag, m.bypassMixerFlag};
  for (int i = 0; i < 3; ++i) {
    const QSignalBlocker quiet(flags_[std::size_t(i)]);
    flags_[std::size_t(i)]->setChecked(on && flags[i] != 0);
  }
  showWords();
  for (QWidget* w : findChildren<QWidget*>()) w->setEnabled(on);
}

// The words as held and every box from them; the word being typed keeps
// its text until it is left.
void PlaylistAppInfoView::showWords() {
  const bool on = ws_.playlist.loaded();
  const Playlist& m = ws_.playlist.model();
  for (HexEdit* e : {uo1_, uo2_}) {
    if (!on) e->clear();
    else if (e != typing_) e->setValue(e == uo1_ ? m.uoMask1 : m.uoMask2);
  }
  for (int bit = 0; bit < 32; ++bit) {
    QCheckBox* b = bits_[std::size_t(bit)];
    const QSignalBlocker quiet(b);
    b->setChecked(on && (m.uoMask1 >> bit & 1));
  }
  const QSignalBlocker quiet(uoMask2Bit30_);
  uoMask2Bit30_->setChecked(on && (m.uoMask2 >> kUoWord2NamedBit & 1));
}

}  // namespace mirdal::gui
