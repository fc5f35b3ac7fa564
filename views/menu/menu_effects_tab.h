// The "Effects" tab of the menu page: the in- or out-effect sequence of the
// chosen page (`rgEffects`), its windows, its effects and the composition
// objects of the chosen effect, the crop line of the chosen composition
// object, and the preview of the chosen effect (`iEffect`, the video size,
// each composition object drawn in its window as the player shows it).
//
// In edit mode the cells of the three grids are edited; Insert and Delete
// add and remove windows, effects and composition objects. Every edit goes
// through the menu document.
#pragma once

#include <QWidget>

namespace mirdal {
struct ChangeNotice;
struct EffectSequence;
}  // namespace mirdal

class QCheckBox;

namespace mirdal::gui {

class MenuContext;
class PictureView;
class RadioGroup;
class StringGrid;
class NumberEdit;

class MenuEffectsTab : public QWidget {
  Q_OBJECT
 public:
  MenuEffectsTab(MenuContext& ctx, QWidget* parent = nullptr);

  RadioGroup* sequenceChoice() const { return sequenceChoice_; }
  StringGrid* effectWindowGrid() const { return windows_; }
  StringGrid* effectsGrid() const { return effects_; }
  StringGrid* compositionObjectGrid() const { return compObjects_; }
  QCheckBox* croppedBox() const { return cropped_; }
  NumberEdit* cropField(int i) const { return crop_[i]; }  // x, y, width, height
  PictureView* effectPreview() const { return preview_; }

  // 0 in-effects, 1 out-effects.
  int sequence() const { return seq_; }
  void showSequence(int seq);

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  const mirdal::EffectSequence* current() const;
  void documentChanged(const mirdal::ChangeNotice& n);
  void showAll();
  void showCompObjects();
  void showCrop();
  void drawPreview();
  void windowEdited(int row, int column, const QString& text);
  void effectEdited(int row, int column, const QString& text);
  void compObjectEdited(int row, int column, const QString& text);
  void cropCommitted();
  void insertRow(StringGrid* g);
  void deleteRow(StringGrid* g);

  MenuContext& ctx_;
  RadioGroup* sequenceChoice_;
  StringGrid* windows_;
  StringGrid* effects_;
  StringGrid* compObjects_;
  QCheckBox* cropped_;
  NumberEdit* crop_[4];
  PictureView* preview_;
  int seq_ = 0;
  int effect_ = 0;
  int compObject_ = 0;
  bool showing_ = false;
};


}  // namespace mirdal::gui
