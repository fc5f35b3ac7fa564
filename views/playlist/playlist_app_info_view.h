// The "AppInfoPlayList" group: playback type and count, the two
// user-operation mask words in hexadecimal with a check box per bit of the
// first word and one for the named bit of the second, and the three flags.
// A check box and its word always show the same bits.
#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class HexEdit;
class IntEdit;

class PlaylistAppInfoView : public QWidget {
  Q_OBJECT
 public:
  explicit PlaylistAppInfoView(mirdal::Workspace& ws, QWidget* parent = nullptr);

  QComboBox* playbackTypeChoice() const { return type_; }
  IntEdit* playbackCountField() const { return count_; }
  HexEdit* uoMask1Field() const { return uo1_; }
  HexEdit* uoMask2Field() const { return uo2_; }
  QCheckBox* randomAccessBox() const { return flags_[0]; }
  QCheckBox* audioMixBox() const { return flags_[1]; }
  QCheckBox* bypassMixerBox() const { return flags_[2]; }
  // cbUO<bit> of the first word.
  QCheckBox* uoMaskBitBox(int bit) const { return bits_[std::size_t(bit)]; }
  QCheckBox* uoMask2Bit30Box() const { return uoMask2Bit30_; }

  // Shows what the playlist holds (empty and disabled without one).
  void refresh();

 private:
  void showWords();
  void setFlag(int which, bool on);

  mirdal::Workspace& ws_;
  QComboBox* type_;
  IntEdit* count_;
  HexEdit* uo1_;
  HexEdit* uo2_;
  std::array<QCheckBox*, 3> flags_{};
  std::array<QCheckBox*, 32> bits_{};
  QCheckBox* uoMask2Bit30_;
  HexEdit* typing_ = nullptr;  // the word whose typing is being stored
};

}  // namespace mirdal::gui
