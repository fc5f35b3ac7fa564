// The pages of the main window and the interface through which the views on
// them take part in the window's work.
#pragma once

namespace mirdal::gui {

// The eight pages, in tab order.
enum class Page { BDMV = 0, Playlist, ClipInfo, Menu, BDJO, Options, Status, About };
inline constexpr int kPageCount = 8;

// A view on one page. The main window calls it:
//  - refresh(): after every Read (and after the reset that starts a Read),
//    to show what the Workspace holds now;
//  - hasSomethingToSave() / save(): Save on its page is enabled while any
//    view of the page has something to save, and writes each such view in
//    the order the views were added;
//  - canStart(): "Start" is enabled on its page while any view says so;
//  - pageEntered(): after the page became the current one and the shared
//    controls were set for it (reading the selected file with "Auto Read").
class PageView {
 public:
  virtual ~PageView() = default;
  virtual void refresh() = 0;
  virtual bool hasSomethingToSave() const { return false; }
  virtual void save() {}
  virtual bool canStart() const { return false; }
  virtual void pageEntered() {}
};

}  // namespace mirdal::gui
