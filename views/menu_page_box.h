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
class THexEdit;
class TIntEdit;

class MenuPageBox : public QWidget {
  Q_OBJECT
 public:
  MenuPageBox(MenuContext& ctx, QWidget* parent = nullptr);

  QComboBox* cbPage() const { return page_; }
  QLabel* lPageCount() const { return count_; }
  THexEdit* heUO1() const { return uo1_; }
  THexEdit* heUO2() const { return uo2_; }
  TIntEdit* ieFramerate() const { return rate_; }
  THexEdit* heDefSelButt() const { return defSel_; }
  THexEdit* heDefActButt() const { return defAct_; }
  THexEdit* hePalette() const { return palette_; }
  TIntEdit* ieInEffWin() const { return counts_[0]; }
  TIntEdit* ieInEffEff() const { return counts_[1]; }
  TIntEdit* ieOutEffWin() const { return counts_[2]; }
  TIntEdit* ieOutEffEff() const { return counts_[3]; }
  TIntEdit* ieBOGs() const { return counts_[4]; }

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
  THexEdit* uo1_;
  THexEdit* uo2_;
  TIntEdit* rate_;
  THexEdit* defSel_;
  THexEdit* defAct_;
  THexEdit* palette_;
  TIntEdit* counts_[5];
  std::vector<QWidget*> order_;  // the Enter order of the fields
};

}  // namespace mirdal::gui
