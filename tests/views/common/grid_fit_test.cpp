// Column widths of the shared grid: the given width is the least a column
// gets; headers and, once fitted, cell texts widen it; a grid can take the
// width of its columns.
#include <QHeaderView>
#include <QStyle>

#include "gui_test.h"
#include "views/common/string_grid.h"
#include "views/common/ui_metrics.h"

namespace mirdal::gui::test {

class GridFitTest : public QObject {
  Q_OBJECT
 private slots:
  void columnsFitHeadersAndCells() {
    StringGrid g("sgTest");
    const QString longHeader = QStringLiteral("a rather long header");
    g.setColumns({{"No.", 22}, {longHeader, 10}, {"x", 40}});
    const QFontMetrics fm(g.horizontalHeader()->font());
    QVERIFY(g.columnWidth(0) >= px(&g, 22));
    QVERIFY(g.columnWidth(0) > fm.horizontalAdvance("No."));
    QVERIFY(g.columnWidth(1) > fm.horizontalAdvance(longHeader));
    const int given = g.columnWidth(2);

    g.setDataRowCount(2);
    g.setCell(1, 2, QStringLiteral("a cell text much wider than forty pixels"));
    QCOMPARE(g.columnWidth(2), given);  // filling alone changes nothing
    g.fitColumnsToContents();
    QVERIFY(g.columnWidth(2) > fm.horizontalAdvance("a cell text much wider"));

    // Narrower texts give the column back its own width.
    g.setCell(1, 2, QStringLiteral("x"));
    g.fitColumnsToContents();
    QCOMPARE(g.columnWidth(2), given);
  }

  void widthFollowsTheColumns() {
    StringGrid g("sgTest");
    g.setColumns({{"No.", 22}, {"name", 60}});
    g.setWidthFollowsColumns(true);
    const int extra = 2 * g.frameWidth() + g.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &g);
    QCOMPARE(g.width(), g.columnWidth(0) + g.columnWidth(1) + extra);
    QCOMPARE(g.minimumWidth(), g.maximumWidth());
    g.setDataRowCount(1);
    g.setCell(0, 1, QStringLiteral("a name far longer than sixty pixels"));
    g.fitColumnsToContents();
    QCOMPARE(g.width(), g.columnWidth(0) + g.columnWidth(1) + extra);
  }
};

}  // namespace mirdal::gui::test

using mirdal::gui::test::GridFitTest;
MIRDAL_GUI_TEST(GridFitTest)
#include "grid_fit_test.moc"
