// The STN table of the selected PlayItem: the counts grid (one column per
// stream category; the selected column chooses the category), the streams
// of that category, the editors of the selected stream and the "+" / "-"
// buttons (also Ins and Del in the stream grid). Which editors show
// follows the category and the stream's entry type.
#pragma once

#include <QWidget>
#include <vector>

#include "formats/playlist/mpls.h"
#include "present/mpls_cells.h"

class QCheckBox;
class QComboBox;
class QToolButton;

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class StringGrid;
class HexEdit;
class IntEdit;

class PlaylistStnView : public QWidget {
  Q_OBJECT
 public:
  explicit PlaylistStnView(mirdal::Workspace& ws, QWidget* parent = nullptr);

  StringGrid* stnCountGrid() const { return counts_; }
  StringGrid* streamGrid() const { return streams_; }
  QComboBox* entryTypeChoice() const { return entryType_; }
  HexEdit* mainPidField() const { return mainPid_; }
  HexEdit* subPidField() const { return subPid_; }
  IntEdit* subPathIdField() const { return subPathId_; }
  IntEdit* subClipIdField() const { return subClipId_; }
  QComboBox* videoCodingChoice() const { return videoCoding_; }
  QComboBox* videoFormatChoice() const { return videoFormat_; }
  QComboBox* frameRateChoice() const { return frameRate_; }
  QComboBox* audioCodingChoice() const { return audioCoding_; }
  QComboBox* presentationChoice() const { return presentation_; }
  QComboBox* frequencyChoice() const { return frequency_; }
  QComboBox* languageChoice() const { return language_; }
  // HEVC video only.
  QComboBox* cbDynamicRange() const { return dynamicRange_; }
  QComboBox* cbColorSpace() const { return colorSpace_; }
  QCheckBox* chkCR() const { return crFlag_; }
  QCheckBox* chkHdrPlus() const { return hdrPlus_; }
  QToolButton* insertStreamButton() const { return ins_; }
  QToolButton* deleteStreamButton() const { return del_; }

  // The PlayItem whose table is shown (-1: none).
  void setPlayItem(int item);
  int playItem() const { return item_; }
  mirdal::StreamCategory category() const { return category_; }
  // Shows category c (its column in the counts grid selected).
  void showCategory(mirdal::StreamCategory c, int row = 0);
  int selectedStream() const;

  void insertStream();
  void deleteStream();

 private:
  const mirdal::PlayItem* playItemShown() const;
  void sync();
  void showStream(int row);
  void fieldChosen(mirdal::StreamField f, std::uint32_t value);
  void languageChosen(int index);
  void enableButtons();

  mirdal::Workspace& ws_;
  int item_ = -1;
  mirdal::StreamCategory category_ = mirdal::StreamCategory::PrimaryVideo;
  int stream_ = -1;
  bool showing_ = false;
  StringGrid* counts_;
  StringGrid* streams_;
  QComboBox* entryType_;
  HexEdit* mainPid_;
  HexEdit* subPid_;
  IntEdit* subPathId_;
  IntEdit* subClipId_;
  QComboBox* videoCoding_;
  QComboBox* videoFormat_;
  QComboBox* frameRate_;
  QComboBox* audioCoding_;
  QComboBox* presentation_;
  QComboBox* frequency_;
  QComboBox* language_;
  QComboBox* dynamicRange_;
  QComboBox* colorSpace_;
  QCheckBox* crFlag_;
  QCheckBox* hdrPlus_;
  QToolButton* ins_;
  QToolButton* del_;
};

}  // namespace mirdal::gui
