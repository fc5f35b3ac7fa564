#include "views/check/check_disc_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "check/check_rows.h"
#include "views/common/grid_rows.h"
#include "views/check/navmap_view.h"
#include "views/common/string_grid.h"
#include "views/common/text.h"

namespace mirdal::gui {

namespace {

QStyle::StandardPixmap iconOf(mirdal::Severity s) {
  switch (s) {
    case mirdal::Severity::Error: return QStyle::SP_MessageBoxCritical;
    case mirdal::Severity::Warning: return QStyle::SP_MessageBoxWarning;
    case mirdal::Severity::Note: return QStyle::SP_MessageBoxInformation;
  }
  return QStyle::SP_MessageBoxInformation;
}

StringGrid* makeGrid(const char* name, const QList<GridColumn>& columns, QWidget* parent) {
  auto* g = new StringGrid(QString::fromLatin1(name), parent);
  g->setColumns(columns);
  g->setLastColumnFills(true);
  g->setEditTriggers(QAbstractItemView::NoEditTriggers);
  return g;
}

}  // namespace

CheckDiscWindow::CheckDiscWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName("wCheckDisc");
  setWindowTitle(tr("Check disc"));
  auto* top = new QVBoxLayout(this);

  auto* bar = new QHBoxLayout;
  auto* show = new QLabel(tr("Show"), this);
  severity_ = new QComboBox(this);
  severity_->setObjectName("cbCheckSeverity");
  for (const std::string& item : mirdal::severityFilterItems()) severity_->addItem(messageText(item));
  show->setBuddy(severity_);
  again_ = new QPushButton(tr("Check &again"), this);
  again_->setObjectName("bCheckAgain");
  summary_ = new QLabel(this);
  summary_->setObjectName("lCheckSummary");
  bar->addWidget(show);
  bar->addWidget(severity_);
  bar->addWidget(again_);
  bar->addStretch(1);
  bar->addWidget(summary_);
  top->addLayout(bar);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("tcCheckDisc");
  auto* split = new QSplitter(Qt::Horizontal, tabs_);
  findings_ = makeGrid("sgFindings", gridColumns(mirdal::kFindingColumns), split);
  auto* right = new QSplitter(Qt::Vertical, split);
  gprs_ = makeGrid("sgGprMap", gridColumns(mirdal::kGprColumns), right);
  uses_ = makeGrid("sgGprUses", gridColumns(mirdal::kGprUseColumns), right);
  split->addWidget(findings_);
  split->addWidget(right);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  tabs_->addTab(split, tr("Findings"));
  navMap_ = new NavmapView(tabs_);
  tabs_->addTab(navMap_, tr("Navigation map"));
  top->addWidget(tabs_, 1);

  connect(severity_, &QComboBox::currentIndexChanged, this, [this] { showFindings(); });
  connect(again_, &QPushButton::clicked, this, &CheckDiscWindow::checkRequested);
  connect(findings_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (const mirdal::Finding* f = findingAt(row)) emit placeChosen(f->place);
  });
  connect(gprs_, &QTableWidget::currentCellChanged, this, [this](int row) { showUses(row); });
  connect(uses_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    const int g = gprs_->currentRow();
    if (g < 0 || std::size_t(g) >= report_.gprs.registers.size()) return;
    const auto& uses = report_.gprs.registers[std::size_t(g)].uses;
    if (row >= 0 && std::size_t(row) < uses.size()) emit placeChosen(uses[std::size_t(row)].place);
  });
  connect(navMap_, &NavmapView::nodeClicked, this, &CheckDiscWindow::placeChosen);
  resize(1500, 600);
}

void CheckDiscWindow::setReport(mirdal::CheckReport report) {
  report_ = std::move(report);
  summary_->setText(messageText(mirdal::summaryLine(report_)));
  showFindings();
  const auto& regs = report_.gprs.registers;
  gprs_->setDataRowCount(int(regs.size()));
  for (std::size_t i = 0; i < regs.size(); ++i) {
    const auto row = mirdal::gprRow(regs[i]);
    gprs_->setRowTexts(int(i), {messageText(row[0]), messageText(row[1]), messageText(row[2]), messageText(row[3])});
  }
  gprs_->fitColumnsToContents();
  if (!regs.empty()) gprs_->selectDataRow(0);
  showUses(regs.empty() ? -1 : 0);
  navMap_->setGraph(report_.graph);
}

const mirdal::Finding* CheckDiscWindow::findingAt(int row) const {
  if (row < 0 || std::size_t(row) >= shownFindings_.size()) return nullptr;
  return &report_.findings[shownFindings_[std::size_t(row)]];
}

void CheckDiscWindow::showFindings() {
  const auto filter = mirdal::SeverityFilter(std::max(0, severity_->currentIndex()));
  shownFindings_.clear();
  for (std::size_t i = 0; i < report_.findings.size(); ++i)
    if (mirdal::shown(report_.findings[i].severity, filter)) shownFindings_.push_back(i);
  findings_->setDataRowCount(int(shownFindings_.size()));
  for (std::size_t r = 0; r < shownFindings_.size(); ++r) {
    const mirdal::Finding& f = report_.findings[shownFindings_[r]];
    const auto cells = mirdal::findingRow(f);
    findings_->setRowTexts(int(r), {QString(), messageText(cells[1]), messageText(cells[2]), messageText(cells[3])});
    if (QTableWidgetItem* icon = findings_->item(int(r), 0)) {
      icon->setIcon(style()->standardIcon(iconOf(f.severity)));
      icon->setToolTip(messageText(cells[0]));
      icon->setData(Qt::AccessibleTextRole, messageText(cells[0]));
    }
    const QString hint = messageText(mirdal::findingHint(f));
    for (int c = 1; c < 4; ++c)
      if (QTableWidgetItem* it = findings_->item(int(r), c)) it->setToolTip(c == 3 ? messageText(f.text) : hint);
  }
  findings_->fitColumnsToContents();
}

void CheckDiscWindow::showUses(int gprRow) {
  const auto& regs = report_.gprs.registers;
  if (gprRow < 0 || std::size_t(gprRow) >= regs.size()) {
    uses_->clearGrid();
    return;
  }
  const auto& uses = regs[std::size_t(gprRow)].uses;
  uses_->setDataRowCount(int(uses.size()));
  for (std::size_t i = 0; i < uses.size(); ++i) {
    const auto row = mirdal::gprUseRow(uses[i]);
    uses_->setRowTexts(int(i), {messageText(row[0]), messageText(row[1]), messageText(row[2]), messageText(row[3])});
  }
}

}  // namespace mirdal::gui
