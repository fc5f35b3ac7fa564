// Frame of the pages that show one file chosen from a list of the disc
// ("&PLAYLIST", "&CLIPINF", "BD&JO"): a group captioned with the file name,
// holding the choice of the file, its "&Read" button and a pane for the view
// of the file's content.
//
// The frame fills the choice after every Read and enables the Read button
// when the disc has such files. With "Auto Read" the selected file is read
// when the page is first entered after a Read, and whenever another file is
// chosen. The Read button itself is created unavailable: the reader of the
// file type connects its action (views/availability.h).
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "views/common/page_view.h"

class QComboBox;
class QGroupBox;
class QPushButton;

namespace mirdal {
class DocumentBase;
struct Workspace;
}

namespace mirdal::gui {

struct FilePageNames {
  const char* page;     // tsPlaylist
  const char* group;    // gbPlaylist
  const char* caption;  // "xxxxx.mpls"
  const char* choice;   // cbPlaylist
  const char* read;     // bReadPL
  const char* readHint; // may be empty
  // The playlist and clip choices stay disabled while the index is not
  // loaded (a wrong header or too many titles: the half-loaded state).
  bool needsIndex = false;
};

class FilePage : public QWidget, public PageView {
  Q_OBJECT
 public:
  FilePage(mirdal::Workspace& ws, const FilePageNames& names, QWidget* parent = nullptr);

  QGroupBox* fileGroup() const { return group_; }
  QComboBox* choice() const { return choice_; }
  QPushButton* readButton() const { return read_; }
  QWidget* contentPane() const { return content_; }

  // Whether the file chosen was read since the last Read of the disc.
  bool fileReadSinceLoad() const { return readSinceLoad_; }

  void refresh() override;
  void pageEntered() override;

 protected:
  // The document the page shows: the group is captioned with its file name
  // while it is loaded (the placeholder caption otherwise), and a line above
  // the content says when it was read with errors.
  void showDocument(mirdal::DocumentBase& doc);

  // The names this page chooses from (without extension).
  virtual const std::vector<std::string>& fileNames() const = 0;
  mirdal::Workspace& ws_;

 private:
  void autoRead();
  QGroupBox* group_;
  QComboBox* choice_;
  QPushButton* read_;
  QWidget* content_;
  QString placeholder_;
  bool readSinceLoad_ = false;
  bool needsIndex_;
};

}  // namespace mirdal::gui
