// The STN table of the selected PlayItem: the counts grid (one column per
// stream category; the selected column chooses the category), the streams
// of that category, the editors of the selected stream and the "+" / "-"
// buttons (also Ins and Del in the stream grid). Which editors show
// follows the category and the stream's entry type.
#pragma once

#include <QWidget>
#include <vector>

#include "formats/mpls.h"
#include "present/mpls_cells.h"

class QCheckBox;
class QComboBox;
class QToolButton;

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class StringGrid;
class THexEdit;
class TIntEdit;

class PlaylistStnView : public QWidget {
  Q_OBJECT
 public:
  explicit PlaylistStnView(mirdal::Workspace& ws, QWidget* parent = nullptr);

  StringGrid* sgSTN() const { return counts_; }
  StringGrid* sgStreamEntry() const { return streams_; }
  QComboBox* cbEntryType() const { return entryType_; }
  THexEdit* heMainPID() const { return mainPid_; }
  THexEdit* heSubPID() const { return subPid_; }
  TIntEdit* ieSubPathId() const { return subPathId_; }
  TIntEdit* ieSubClipId() const { return subClipId_; }
  QComboBox* cbVideoCoding() const { return videoCoding_; }
  QComboBox* cbVideoFormat() const { return videoFormat_; }
  QComboBox* cbFrameRate() const { return frameRate_; }
  QComboBox* cbAudioCoding() const { return audioCoding_; }
  QComboBox* cbPresentation() const { return presentation_; }
  QComboBox* cbFrequency() const { return frequency_; }
  QComboBox* cbLanguage() const { return language_; }
  // HEVC video only.
  QComboBox* cbDynamicRange() const { return dynamicRange_; }
  QComboBox* cbColorSpace() const { return colorSpace_; }
  QCheckBox* chkCR() const { return crFlag_; }
  QCheckBox* chkHdrPlus() const { return hdrPlus_; }
  QToolButton* bStreamIns() const { return ins_; }
  QToolButton* bStreamDel() const { return del_; }

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
  const mirdal::TPlayItem* playItemShown() const;
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
  THexEdit* mainPid_;
  THexEdit* subPid_;
  TIntEdit* subPathId_;
  TIntEdit* subClipId_;
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
