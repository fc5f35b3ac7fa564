// The "ClipInfo" group of the clip page: the application type, the ATC delta
// flag "ATCd", "Rec. rate" and "Packets", the stream file's name and size,
// the ATC delta entries (editable in "Edit mode": Ins inserts, Shift+Del
// deletes) and, for a text-subtitle clip, the font files.
//
// Every change goes through ws.clip.edit with the clip edits of
// formats/clpi_edit.h, which keep the section addresses behind ClipInfo
// right; the view then shows the model again.
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

namespace mirdal {
struct Workspace;
struct ChangeNotice;
}  // namespace mirdal

namespace mirdal::gui {

class StringGrid;
class IntEdit;

class ClipInfoView : public QWidget {
  Q_OBJECT
 public:
  explicit ClipInfoView(mirdal::Workspace& ws, QWidget* parent = nullptr);

  QComboBox* applicationTypeChoice() const { return appType_; }
  QCheckBox* atcDeltaBox() const { return atcd_; }
  IntEdit* recordingRateField() const { return rate_; }
  IntEdit* packetCountField() const { return packets_; }
  QLabel* streamNameLabel() const { return streamName_; }
  QLabel* streamSizeLabel() const { return streamSize_; }
  StringGrid* atcDeltaGrid() const { return atcDelta_; }
  StringGrid* fontFileGrid() const { return fonts_; }

  void refresh();
  // The stream file labels (after a Read of the disc or of the clip).
  void showStreamFile();

  void insertAtcDelta();
  void deleteAtcDelta();

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void changed(const mirdal::ChangeNotice& n);
  void showFields();
  void fillAtcDelta(int select);
  void fillFonts();
  void atcDeltaEdited(int row, int column, const QString& text);

  mirdal::Workspace& ws_;
  QComboBox* appType_;
  QCheckBox* atcd_;
  IntEdit* rate_;
  IntEdit* packets_;
  QLabel* streamName_;
  QLabel* streamSize_;
  QWidget* atcPanel_;
  StringGrid* atcDelta_;
  QWidget* fontPanel_;
  StringGrid* fonts_;
};

}  // namespace mirdal::gui
