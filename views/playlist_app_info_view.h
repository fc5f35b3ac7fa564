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

class THexEdit;
class TIntEdit;

class PlaylistAppInfoView : public QWidget {
  Q_OBJECT
 public:
  explicit PlaylistAppInfoView(mirdal::Workspace& ws, QWidget* parent = nullptr);

  QComboBox* cbPlaybackType() const { return type_; }
  TIntEdit* iePlaybackCount() const { return count_; }
  THexEdit* heUO1() const { return uo1_; }
  THexEdit* heUO2() const { return uo2_; }
  QCheckBox* cbRandomAccess() const { return flags_[0]; }
  QCheckBox* cbAudioMix() const { return flags_[1]; }
  QCheckBox* cbBypassMixer() const { return flags_[2]; }
  // cbUO<bit> of the first word.
  QCheckBox* cbUO(int bit) const { return bits_[std::size_t(bit)]; }
  QCheckBox* cbUO2_30() const { return bit2_30_; }

  // Shows what the playlist holds (empty and disabled without one).
  void refresh();

 private:
  void showWords();
  void setFlag(int which, bool on);

  mirdal::Workspace& ws_;
  QComboBox* type_;
  TIntEdit* count_;
  THexEdit* uo1_;
  THexEdit* uo2_;
  std::array<QCheckBox*, 3> flags_{};
  std::array<QCheckBox*, 32> bits_{};
  QCheckBox* bit2_30_;
  THexEdit* typing_ = nullptr;  // the word whose typing is being stored
};

}  // namespace mirdal::gui
