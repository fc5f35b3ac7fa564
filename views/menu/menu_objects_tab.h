// The "Objects" tab of the menu page: the object and palette tables with
// where each is used, the preview of the chosen object through the chosen
// palette (or the palette's chart), and the object image and palette files.
//
// Insert on a table loads (an object image, a palette), Shift+Delete
// deletes the selected rows; every change goes through the menu document.
#pragma once

#include <QWidget>
#include <vector>

class QCheckBox;
class QPushButton;
class QScrollArea;

namespace mirdal::gui {

class MenuContext;
class PictureView;
class StringGrid;
class VerticalLabel;

class MenuObjectsTab : public QWidget {
  Q_OBJECT
 public:
  MenuObjectsTab(MenuContext& ctx, QWidget* parent = nullptr);

  StringGrid* igObjectGrid() const { return objects_; }
  StringGrid* paletteGrid() const { return palettes_; }
  VerticalLabel* igObjectCountLabel() const { return count_; }
  QPushButton* loadObjectButton() const { return loadObj_; }
  QPushButton* saveObjectButton() const { return saveObj_; }
  QPushButton* loadPaletteButton() const { return loadPal_; }
  QPushButton* savePaletteButton() const { return savePal_; }
  QCheckBox* replaceObjectBox() const { return replaceObj_; }
  QCheckBox* replacePaletteBox() const { return replacePal_; }
  PictureView* preview() const { return preview_; }

  // The buttons' actions.
  void loadObjectClicked();
  void saveObjectClicked();
  void loadPaletteClicked();
  void savePaletteClicked();
  // Shift+Delete on the tables.
  void deleteChosenObjects();
  void deleteChosenPalettes();

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void refresh();
  void fillObjects();
  void fillPalettes();
  void objectClicked(int row);
  void paletteClicked(int row);
  void showChoices();
  void showPreview();
  void inspectPalette(QPoint at);
  void clearPreview();
  void enableControls();
  std::vector<std::size_t> selectedRows(const StringGrid* g) const;
  QString startFolder() const;

  MenuContext& ctx_;
  StringGrid* objects_;
  StringGrid* palettes_;
  VerticalLabel* count_;
  QPushButton* loadObj_;
  QPushButton* saveObj_;
  QPushButton* loadPal_;
  QPushButton* savePal_;
  QCheckBox* replaceObj_;
  QCheckBox* replacePal_;
  QScrollArea* scroll_;
  PictureView* preview_;
  bool showing_ = false;
};

}  // namespace mirdal::gui
