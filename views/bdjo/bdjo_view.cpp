#include "views/bdjo/bdjo_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "documents/workspace.h"
#include "present/bdjo_rows.h"
#include "views/common/grid_rows.h"
#include "views/common/hex_edit.h"
#include "views/common/ui_metrics.h"

namespace mirdal::gui {

namespace {

QGroupBox* bdjoGroup(const char* name, const char* caption, QWidget* parent) {
  auto* g = new QGroupBox(QString::fromLatin1(caption), parent);
  g->setObjectName(QString::fromLatin1(name));
  return g;
}

// A check box that shows a flag of the file and cannot be changed.
QCheckBox* flagBox(const QString& name, const QString& caption, QWidget* parent) {
  auto* cb = new QCheckBox(caption, parent);
  cb->setObjectName(name);
  cb->setAttribute(Qt::WA_TransparentForMouseEvents);
  cb->setFocusPolicy(Qt::NoFocus);
  return cb;
}

QLineEdit* textField(const char* name, QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setReadOnly(true);
  return e;
}

StringGrid* grid(const char* name, const QString& hint, const QList<GridColumn>& columns, QWidget* parent) {
  auto* g = new StringGrid(QString::fromLatin1(name), parent);
  g->setColumns(columns);
  g->setFixedFirstColumn(true);
  if (!hint.isEmpty()) g->setToolTip(hint);
  return g;
}

template <std::size_t N>
QList<GridColumn> detailColumns(const std::array<const char*, N>& headers, const std::array<int, N>& widths) {
  QList<GridColumn> out;
  for (std::size_t i = 0; i < N; ++i) out << GridColumn{QString::fromLatin1(headers[i]), widths[i]};
  return out;
}

// "Prev." as cbKeyPrev, "sec.audio" as cbKeysecaudio.
QString keyBoxName(const char* caption) {
  QString n = QStringLiteral("cbKey");
  for (const char* c = caption; *c; ++c)
    if (QChar::fromLatin1(*c).isLetterOrNumber()) n += QChar::fromLatin1(*c);
  return n;
}

}  // namespace

BdjoView::BdjoView(mirdal::Workspace& ws, QWidget* parent) : QWidget(parent), ws_(ws) {
  setObjectName("vBDJO");
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(6);

  // TerminalInfo above FileAccesInfo.
  auto* terminalInfoGroup = bdjoGroup("gbTerminalInfo", "TerminalInfo", this);
  auto* tl = new QVBoxLayout(terminalInfoGroup);
  tl->setSpacing(2);
  font_ = textField("eDefaultFont", terminalInfoGroup);
  font_->setToolTip(tr("Default language"));
  font_->setMaxLength(5);
  font_->setFixedWidth(font_->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
  havi_ = new HexEdit(terminalInfoGroup, 1);
  havi_->setObjectName("heHAVi");
  havi_->setReadOnly(true);
  // One row per field, each as wide as it needs.
  const auto fieldRow = [&](const QString& caption, QWidget* field) {
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(caption, terminalInfoGroup);
    label->setBuddy(field);
    row->addWidget(label);
    row->addWidget(field);
    row->addStretch(1);
    tl->addLayout(row);
  };
  fieldRow(tr("Default font "), font_);
  fieldRow(tr("Initial HAVi configuration id"), havi_);
  menuCall_ = flagBox("cbMenuCallMask", tr("Menu call mask"), terminalInfoGroup);
  titleSearch_ = flagBox("cbTitleSearchMask", tr("Title search mask"), terminalInfoGroup);
  tl->addWidget(menuCall_);
  tl->addWidget(titleSearch_);

  auto* fileAccessGroup = bdjoGroup("gbFileAccesInfo", "FileAccesInfo", this);
  auto* fl = new QHBoxLayout(fileAccessGroup);
  path_ = textField("eDirectoryPath", fileAccessGroup);
  auto* directoryPathLabel = new QLabel(tr("Directory Path:"), fileAccessGroup);
  directoryPathLabel->setBuddy(path_);
  fl->addWidget(directoryPathLabel);
  fl->addWidget(path_, 1);

  auto* left = new QVBoxLayout;
  left->addWidget(terminalInfoGroup);
  left->addWidget(fileAccessGroup);
  left->addStretch(1);

  auto* appCacheGroup = bdjoGroup("gbAppCacheInfo", "AppCacheInfo", this);
  auto* cl = new QVBoxLayout(appCacheGroup);
  cache_ = grid("sgAppCacheInf", tr("CacheInfo"), gridColumns(kAppCacheColumns), appCacheGroup);
  // As wide as its columns when there is room, narrower in a small window.
  cache_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  cl->addWidget(cache_);

  auto* accessiblePlayListsGroup = bdjoGroup("gbAccessiblePlayLists", "TableOfAccessiblePlayLists", this);
  auto* pl = new QVBoxLayout(accessiblePlayListsGroup);
  accessAll_ = flagBox("cbAccessToAll", tr("Acces to all"), accessiblePlayListsGroup);
  autostart_ = flagBox("cbAutostartFirstPL", tr("Autostart first PL"), accessiblePlayListsGroup);
  playlists_ = grid("sgAccPLs", tr("Accessible PlayLists"), gridColumns(kAccessiblePlayListColumns), accessiblePlayListsGroup);
  playlists_->setWidthFollowsColumns(true);
  pl->addWidget(accessAll_);
  pl->addWidget(autostart_);
  pl->addWidget(playlists_, 1);

  auto* keyInterestGroup = bdjoGroup("gbKeyInterestTable", "KeyInterestTable", this);
  auto* kl = new QGridLayout(keyInterestGroup);
  kl->setVerticalSpacing(2);
  constexpr int kRows = 6;
  for (std::size_t i = 0; i < kKeyInterestCount; ++i) {
    keys_[i] = flagBox(keyBoxName(kKeyInterestCaptions[i]), QString::fromLatin1(kKeyInterestCaptions[i]), keyInterestGroup);
    kl->addWidget(keys_[i], int(i) % kRows, int(i) / kRows);
  }
  kl->setRowStretch(kRows, 1);

  auto* top = new QHBoxLayout;
  top->setSpacing(4);
  top->addLayout(left, 0);
  top->addWidget(appCacheGroup, 0);
  top->addWidget(accessiblePlayListsGroup, 0);
  top->addWidget(keyInterestGroup, 0);
  top->addStretch(1);
  l->addLayout(top, 2);

  auto* applicationsGroup = bdjoGroup("gbApplicationManagementTable", "ApplicationManagementTable", this);
  auto* al = new QVBoxLayout(applicationsGroup);
  apps_ = grid("sgAppManage", QString(), gridColumns(kApplicationColumns), applicationsGroup);
  profiles_ = grid("sgProfiles", tr("Profiles"), detailColumns(kProfileHeaders, std::array<int, 3>{20, 50, 60}),
                   applicationsGroup);
  names_ = grid("sgNames", tr("Names"), detailColumns(kNameHeaders, std::array<int, 3>{20, 35, 160}), applicationsGroup);
  names_->setLastColumnFills(true);
  params_ = grid("sgParams", tr("Parameters"), detailColumns(kParameterHeaders, std::array<int, 2>{20, 200}),
                 applicationsGroup);
  params_->setLastColumnFills(true);
  // A small window leaves these grids room for a header and two rows.
  for (StringGrid* g : {apps_, profiles_, names_, params_}) g->setMinimumHeight(px(g, 58));
  auto* details = new QHBoxLayout;
  details->addWidget(profiles_, 1);
  details->addWidget(names_, 2);
  details->addWidget(params_, 2);
  al->addWidget(apps_, 1);
  al->addLayout(details, 1);
  l->addWidget(applicationsGroup, 3);

  connect(apps_, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
    if (row != previous) showApplication(row);
  });
  connect(apps_, &QTableWidget::cellClicked, this, [this](int row, int) { showApplication(row); });
  connect(playlists_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { playListDoubleClicked(row); });

  refresh();
}

void BdjoView::refresh() {
  static const BdjoFile kNone;
  const BdjoFile& b = ws_.bdjo.loaded() ? ws_.bdjo.model() : kNone;
  const bool read = ws_.bdjo.loaded();

  font_->setText(discText(b.terminalInfo.defaultFontFileName));
  if (read) havi_->setText(discText(haviConfigurationText(b)));
  else havi_->clear();
  menuCall_->setChecked(b.terminalInfo.menuCallMask);
  titleSearch_->setChecked(b.terminalInfo.titleSearchMask);

  const int nCache = int(b.appCacheInfo.entries.size());
  cache_->setDataRowCount(nCache);
  for (int i = 0; i < nCache; ++i) setGridRow(cache_, i, appCacheRow(b, std::size_t(i)));
  cache_->fitColumnsToContents();

  const auto& t = b.tableOfAccessiblePlaylists;
  accessAll_->setChecked(t.accessToAllFlag);
  autostart_->setChecked(t.autostartFirstPlaylistFlag);
  const int nPl = int(t.playlists.size());
  playlists_->setDataRowCount(nPl);
  for (int i = 0; i < nPl; ++i) setGridRow(playlists_, i, accessiblePlayListRow(b, std::size_t(i)));
  playlists_->fitColumnsToContents();

  const int nApps = int(b.applicationManagementTable.applications.size());
  {
    const QSignalBlocker quiet(apps_);
    apps_->setDataRowCount(nApps);
    for (int i = 0; i < nApps; ++i) setGridRow(apps_, i, applicationRow(b, std::size_t(i)));
    apps_->fitColumnsToContents();
    // With a single application there is nothing to choose.
    apps_->setEnabled(nApps > 1);
    if (nApps > 0) apps_->selectDataRow(0);
  }
  showApplication(nApps > 0 ? 0 : -1);

  for (std::size_t i = 0; i < kKeyInterestCount; ++i) keys_[i]->setChecked(mirdal::keyInterest(b.keyInterestTable, i));
  path_->setText(discText(b.fileAccessInfo.directoryPath));
}

void BdjoView::showApplication(int i) {
  const auto& apps = ws_.bdjo.model().applicationManagementTable.applications;
  if (!ws_.bdjo.loaded() || i < 0 || std::size_t(i) >= apps.size()) {
    for (StringGrid* g : {profiles_, names_, params_}) g->clearGrid();
    return;
  }
  const Application& a = apps[std::size_t(i)];
  profiles_->setDataRowCount(int(a.profiles.size()));
  for (std::size_t k = 0; k < a.profiles.size(); ++k) setGridRow(profiles_, int(k), profileRow(a, k));
  names_->setDataRowCount(int(a.names.size()));
  for (std::size_t k = 0; k < a.names.size(); ++k) setGridRow(names_, int(k), nameRow(a, k));
  params_->setDataRowCount(int(a.parameters.size()));
  for (std::size_t k = 0; k < a.parameters.size(); ++k) setGridRow(params_, int(k), parameterRow(a, k));
  for (StringGrid* g : {profiles_, names_, params_}) g->fitColumnsToContents();
}

void BdjoView::playListDoubleClicked(int row) {
  if (row < 0 || row >= playlists_->dataRowCount()) return;
  const QString name = playlists_->cell(row, 1);
  for (const std::string& p : ws_.disc.playlists)
    if (pathText(p) == name) {
      emit playListRequested(name);
      return;
    }
}

}  // namespace mirdal::gui
