// The application fields of an Ultra HD index.bdmv on the BDMV page: the
// initial output mode, 3D content, initial dynamic range, video format and
// frame rate of AppInfoBDMV, and the Ultra HD disc info (disc type, 4K,
// HDR flags, HDR10+, Dolby Vision). Shown while the index is a "0300" file
// or holds the Ultra HD disc info; the disc info row is disabled while the
// file has none. Every change is an edit of the index document.
#pragma once

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class IndexAppInfoView : public QGroupBox {
  Q_OBJECT
 public:
  IndexAppInfoView(mirdal::Workspace& ws, QWidget* parent = nullptr);

  void refresh();

 private:
  void appInfoChosen(int field, unsigned value);
  void ultraHdChosen(int field, unsigned value);

  mirdal::Workspace& ws_;
  bool showing_ = false;
  QComboBox* outputMode_;
  QCheckBox* content3D_;
  QComboBox* dynamicRange_;
  QComboBox* videoFormat_;
  QComboBox* frameRate_;
  QWidget* ultraHd_;
  QSpinBox* discType_;
  QCheckBox* exist4K_;
  QSpinBox* hdrFlags_;
  QCheckBox* hdrPlus_;
  QCheckBox* dolbyVision_;
};

}  // namespace mirdal::gui
