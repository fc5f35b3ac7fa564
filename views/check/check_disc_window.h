// The "Check disc" window (`wCheckDisc`): the findings of the disc check
// (`sgFindings`, filtered by `cbCheckSeverity`), the register map beside
// them (`sgGprMap`, the uses of the chosen register in `sgGprUses`) and the
// navigation map on its own tab. A tool window of the main window, so that
// the page a finding opens stays visible beside it. It only shows a report:
// the main window runs the check and opens the places it names.
#pragma once

#include <QWidget>

#include "check/check_disc.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace mirdal::gui {

class NavmapView;
class StringGrid;

class CheckDiscWindow : public QWidget {
  Q_OBJECT
 public:
  explicit CheckDiscWindow(QWidget* parent = nullptr);

  void setReport(mirdal::CheckReport report);
  const mirdal::CheckReport& report() const { return report_; }

  QComboBox* cbCheckSeverity() const { return severity_; }
  StringGrid* sgFindings() const { return findings_; }
  StringGrid* sgGprMap() const { return gprs_; }
  StringGrid* sgGprUses() const { return uses_; }
  NavmapView* navMap() const { return navMap_; }
  QTabWidget* tabs() const { return tabs_; }
  // The finding shown in row r of sgFindings.
  const mirdal::Finding* findingAt(int row) const;

 signals:
  void placeChosen(const mirdal::Place& place);
  void checkRequested();

 private:
  void showFindings();
  void showUses(int gprRow);

  mirdal::CheckReport report_;
  std::vector<std::size_t> shownFindings_;
  QComboBox* severity_;
  QPushButton* again_;
  QLabel* summary_;
  QTabWidget* tabs_;
  StringGrid* findings_;
  StringGrid* gprs_;
  StringGrid* uses_;
  NavmapView* navMap_;
};

}  // namespace mirdal::gui
