#include "views/common/file_page.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "documents/workspace.h"
#include "views/common/availability.h"
#include "views/common/document_signals.h"
#include "views/common/pane.h"
#include "views/common/read_error_banner.h"
#include "views/common/text.h"

namespace mirdal::gui {

FilePage::FilePage(mirdal::Workspace& ws, const FilePageNames& n, QWidget* parent)
    : QWidget(parent), ws_(ws), placeholder_(QString::fromLatin1(n.caption)), needsIndex_(n.needsIndex) {
  setObjectName(n.page);
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(6, 6, 6, 6);

  group_ = new QGroupBox(QString::fromLatin1(n.caption), this);
  group_->setObjectName(n.group);
  auto* g = new QVBoxLayout(group_);
  g->setContentsMargins(6, 4, 6, 6);
  g->setSpacing(6);

  auto* row = new QHBoxLayout;
  choice_ = new QComboBox(group_);
  choice_->setObjectName(n.choice);
  choice_->setMinimumContentsLength(8);
  choice_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  read_ = new QPushButton(tr("&Read"), group_);
  read_->setObjectName(n.read);
  if (*n.readHint) read_->setToolTip(QString::fromLatin1(n.readHint));
  markUnavailable(read_);
  row->addWidget(choice_);
  row->addWidget(read_);
  row->addStretch(1);
  g->addLayout(row);

  content_ = makePane(QString::fromLatin1(n.page) + QStringLiteral("Content"), group_);
  g->addWidget(content_, 1);
  page->addWidget(group_);

  connect(read_, &QPushButton::clicked, this, [this] { readSinceLoad_ = true; });
  connect(choice_, &QComboBox::activated, this, [this] {
    if (ws_.options.autoRead) autoRead();
  });
  choice_->setEnabled(false);
}

void FilePage::showDocument(mirdal::DocumentBase& doc) {
  // lReadErrorsPlaylist, lReadErrorsClipinf, lReadErrorsBDJO
  const QString name = QStringLiteral("lReadErrors") + objectName().mid(2);
  auto* banner = new ReadErrorBanner(qPrintable(name), {&doc}, content_);
  static_cast<QBoxLayout*>(content_->layout())->insertWidget(0, banner);
  connect(new DocumentSignals(doc, this), &DocumentSignals::changed, this, [this, &doc] {
    group_->setTitle(doc.loaded() ? pathText(doc.fileName()) : placeholder_);
  });
}

void FilePage::refresh() {
  readSinceLoad_ = false;
  choice_->clear();
  for (const std::string& name : fileNames()) choice_->addItem(pathText(name));
  const bool any = choice_->count() > 0 && (!needsIndex_ || ws_.index.loaded());
  if (any) choice_->setCurrentIndex(0);
  choice_->setEnabled(any);
  setEnabledIfAvailable(read_, any);
}

void FilePage::pageEntered() {
  if (ws_.options.autoRead && !readSinceLoad_) autoRead();
}

void FilePage::autoRead() {
  if (read_->isEnabled()) read_->click();
}

}  // namespace mirdal::gui
