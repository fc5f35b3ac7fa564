#include "views/command_list_view.h"

#include <QVBoxLayout>

#include "core/workspace.h"
#include "nav/command_text.h"
#include "views/string_grid.h"
#include "views/text.h"

namespace mirdal::gui {

namespace {
// The four columns before the command text take 215 pixels together; the
// command text fills the rest of the grid's width.
constexpr int kLeadingWidths[] = {35, 60, 60, 60};
}  // namespace

CommandListView::CommandListView(mirdal::Workspace& ws, QWidget* parent) : QWidget(parent), ws_(ws) {
  setObjectName("vCommands");
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  grid_ = new StringGrid("sgCommands", this);
  const auto& h = commandGridHeader();
  QList<GridColumn> columns;
  for (int i = 0; i < 4; ++i) columns << GridColumn{QString::fromLatin1(h[i].c_str()), kLeadingWidths[i]};
  columns << GridColumn{QString::fromLatin1(h[4].c_str()), 200};
  grid_->setColumns(columns);
  grid_->setLastColumnFills(true);
  grid_->setMultiRowSelect(true);
  grid_->setToolTip(tr("Navigation commands"));
  l->addWidget(grid_);
}

void CommandListView::showObject(int object) {
  const auto& objects = ws_.mobj.movie_objects.objects;
  object_ = object >= 0 && std::size_t(object) < objects.size() ? object : -1;
  const TCommands* program = object_ >= 0 ? &objects[std::size_t(object_)].commands : nullptr;
  const int n = program ? int(program->size()) : 0;
  grid_->setDataRowCount(n);
  for (int i = 0; i < n; ++i) {
    const CommandRow row = comm2str((*program)[std::size_t(i)], std::size_t(i), CommandContext::MovieObject);
    QStringList texts;
    for (const std::string& s : row.cells) texts << discText(s);
    grid_->setRowTexts(i, texts);
  }
  grid_->fitColumnsToContents();
  if (n > 0) grid_->selectDataRow(0);
  grid_->scrollToTop();
}

}  // namespace mirdal::gui
