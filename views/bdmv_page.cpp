#include "views/bdmv_page.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/workspace.h"
#include "views/pane.h"
#include "views/pane_splitter.h"
#include "views/text.h"
#include "views/ui_metrics.h"
#include "views/vertical_label.h"

namespace mirdal::gui {

QString titleCounterText(int titleCount, int entriesSet) {
  QString t = QString::number(titleCount);
  if (entriesSet > 0) t += QStringLiteral(" + ") + QString::number(entriesSet);
  return t + QStringLiteral(" titles");
}

QString objectCounterText(int objectCount) { return QString::number(objectCount) + QStringLiteral(" objects"); }

namespace {

// A pane with a counter standing at its right edge.
QWidget* paneWithCounter(QWidget* parent, QWidget* pane, VerticalLabel* counter) {
  auto* w = new QWidget(parent);
  auto* l = new QHBoxLayout(w);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(2);
  l->addWidget(pane, 1);
  l->addWidget(counter);
  return w;
}

}  // namespace

BdmvPage::BdmvPage(mirdal::Workspace& ws, QWidget* parent) : QWidget(parent), ws_(ws) {
  setObjectName("tsBDMV");
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(6, 6, 6, 6);
  page->setSpacing(6);

  // Disc folder row.
  auto* folderRow = new QHBoxLayout;
  auto* lDir = new QLabel(tr("BDMV folder:"), this);
  eBDMVdir_ = new QLineEdit(this);
  eBDMVdir_->setObjectName("eBDMVdir");
  eBDMVdir_->setReadOnly(true);
  lDir->setBuddy(eBDMVdir_);
  bbOpenDir_ = new QToolButton(this);
  bbOpenDir_->setObjectName("bbOpenDir");
  bbOpenDir_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  bbOpenDir_->setToolTip(tr("Select a directory"));
  bReadBDMV_ = new QPushButton(tr("&Read"), this);
  bReadBDMV_->setObjectName("bReadBDMV");
  folderRow->addWidget(lDir);
  folderRow->addWidget(eBDMVdir_, 1);
  folderRow->addWidget(bbOpenDir_);
  folderRow->addWidget(bReadBDMV_);
  page->addLayout(folderRow);

  // MovieObject.bdmv: objects above commands.
  gbMovieObject_ = new QGroupBox(QStringLiteral("MovieObject.bdmv"), this);
  gbMovieObject_->setObjectName("gbMovieObject");
  auto* mo = new QVBoxLayout(gbMovieObject_);
  mo->setContentsMargins(6, 4, 6, 6);
  auto* split = new PaneSplitter(Qt::Vertical, "splMovieObject", gbMovieObject_);
  split_ = split;
  objectsPane_ = makePane("pObjects", split_);
  lObjects_ = new VerticalLabel("lObjects", split_);
  commandsPane_ = makePane("pCommands", split_);
  commandsPane_->setMinimumHeight(px(this, kMinCommandsHeight));
  split_->addWidget(paneWithCounter(split_, objectsPane_, lObjects_));
  split_->addWidget(commandsPane_);
  split_->setStretchFactor(0, 0);
  split_->setStretchFactor(1, 1);
  mo->addWidget(split_);
  connect(split, &PaneSplitter::resized, this, &BdmvPage::keepCommandsPaneHeight);
  connect(split_, &QSplitter::splitterMoved, this, [this] {
    wantedObjectHeight_ = split_->sizes().value(0, wantedObjectHeight_);
    emit objectHeightChanged(wantedObjectHeight_);
  });

  // index.bdmv with the titles counter; sound.bdmv below it.
  gbIndex_ = new QGroupBox(QStringLiteral("index.bdmv"), this);
  gbIndex_->setObjectName("gbIndex");
  auto* ix = new QVBoxLayout(gbIndex_);
  ix->setContentsMargins(6, 4, 6, 6);
  indexPane_ = makePane("pIndex", gbIndex_);
  lTitlenum_ = new VerticalLabel("lTitlenum", gbIndex_);
  ix->addWidget(paneWithCounter(gbIndex_, indexPane_, lTitlenum_));

  gbSound_ = makeGroup("gbSound", QStringLiteral("sound.bdmv"), this, &soundPane_, "pSound");
  gbSound_->hide();

  auto* right = new QVBoxLayout;
  right->setSpacing(6);
  right->addWidget(gbIndex_, 3);
  right->addWidget(gbSound_, 1);

  auto* groups = new QHBoxLayout;
  groups->setSpacing(6);
  groups->addWidget(gbMovieObject_, 3);
  groups->addLayout(right, 2);
  page->addLayout(groups, 1);
}

void BdmvPage::BDMVlabels(int titleCount, int entriesSet, int objectCount) {
  lTitlenum_->setText(titleCounterText(titleCount, entriesSet));
  lObjects_->setText(objectCounterText(objectCount));
}

int BdmvPage::objectHeight() const {
  return split_->isVisible() ? split_->sizes().value(0, wantedObjectHeight_) : wantedObjectHeight_;
}

void BdmvPage::setObjectHeight(int h) {
  wantedObjectHeight_ = std::max(0, h);
  keepCommandsPaneHeight();
}

// The objects pane keeps its height while the window grows or shrinks,
// unless the commands pane would get less than its minimum height: then the
// objects pane gives way, and keeps the smaller height.
void BdmvPage::keepCommandsPaneHeight() {
  // Before the splitter is shown its size means nothing yet; the wanted
  // heights wait for the first real layout.
  if (!split_->isVisible()) return;
  const int total = split_->height() - split_->handleWidth();
  if (total <= 0) return;
  const int minCommands = px(this, kMinCommandsHeight);
  const int objects = std::clamp(wantedObjectHeight_, 0, std::max(0, total - minCommands));
  split_->setSizes({objects, total - objects});
  wantedObjectHeight_ = split_->sizes().value(0, objects);
}

void BdmvPage::refresh() {
  eBDMVdir_->setText(pathText(ws_.disc.folder));
  gbSound_->setVisible(ws_.disc.checkPassed && ws_.disc.soundPresent);
}

}  // namespace mirdal::gui
