// The page group of the menu page ("gbMenuHead"): the page list "Page ID"
// with the page count, the fields of the chosen page (each stored when the
// field is left, Enter moving on to the next) and the counts of its effect
// windows, effects and button overlap groups. Insert on the page list
// creates a page, Delete deletes the chosen one.
//
// After a load the box chooses page 0: it drives the page choice of the
// menu context that the other menu views follow.
#pragma once

#include <QWidget>
#include <vector>

class QComboBox;
class QLabel;

namespace mirdal {
struct ChangeNotice;
}

namespace mirdal::gui {

class MenuContext;
class HexEdit;
class IntEdit;

class MenuPageBox : public QWidget {
  Q_OBJECT
 public:
  MenuPageBox(MenuContext& ctx, QWidget* parent = nullptr);

  QComboBox* pageChoice() const { return page_; }
  QLabel* pageCountLabel() const { return count_; }
  HexEdit* uoMask1Field() const { return uo1_; }
  HexEdit* uoMask2Field() const { return uo2_; }
  IntEdit* animationFrameRateField() const { return rate_; }
  HexEdit* defaultSelectedButtonField() const { return defSel_; }
  HexEdit* defaultActivatedButtonField() const { return defAct_; }
  HexEdit* paletteField() const { return palette_; }
  IntEdit* inEffectWindowCountField() const { return counts_[0]; }
  IntEdit* inEffectCountField() const { return counts_[1]; }
  IntEdit* outEffectWindowCountField() const { return counts_[2]; }
  IntEdit* outEffectCountField() const { return counts_[3]; }
  IntEdit* bogCountField() const { return counts_[4]; }

  // Insert and Delete of the page list.
  void insertPage();
  void deletePage();

 signals:
  // A click on an effect count of a sequence that has windows or effects:
  // 0 in-effects, 1 out-effects.
  void effectsRequested(int sequence);
  // A click on the BOG count.
  void bogsRequested();

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void documentChanged(const mirdal::ChangeNotice& n);
  void showPages();
  void showFields();
  void store(QWidget* field);

  MenuContext& ctx_;
  QComboBox* page_;
  QLabel* count_;
  HexEdit* uo1_;
  HexEdit* uo2_;
  IntEdit* rate_;
  HexEdit* defSel_;
  HexEdit* defAct_;
  HexEdit* palette_;
  IntEdit* counts_[5];
  std::vector<QWidget*> order_;  // the Enter order of the fields
};

}  // namespace mirdal::gui
