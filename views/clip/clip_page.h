// The "&CLIPINF" page: the clip choice and "&Read" above the groups of the
// clip read (views/clip_*_view.h): "ProgramInfo" with the stream actions,
// "ClipInfo", "SequenceInfo", "CPI", "Referenced by", and the ExtensionData
// caption with its "Edit" button.
//
// The page runs what its buttons do: the Read with the packet-count check,
// "Pla&y", "Save P&ID", "-> M&enu" and "Apply to clpi". What needs other
// pages (the PlayItem selected on the PLAYLIST page, the question about a
// changed document, showing the menu page) arrives through the hooks the
// main window sets (app/wire_clip.cpp).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "views/common/file_page.h"

class QLabel;

namespace mirdal {
class DocumentBase;
enum class ExportMode;
}

namespace mirdal::gui {

class ClipCpiView;
class ClipInfoView;
class ClipProgramView;
class ClipRefsView;
class ClipSequenceView;
class Interaction;

class ClipPage : public FilePage {
  Q_OBJECT
 public:
  ClipPage(mirdal::Workspace& ws, QWidget* parent = nullptr);
  QComboBox* clipChoice() const { return choice(); }
  QPushButton* readClipButton() const { return readButton(); }

  ClipProgramView* programView() const { return program_; }
  ClipInfoView* infoView() const { return info_; }
  ClipSequenceView* sequenceView() const { return sequences_; }
  ClipCpiView* cpiView() const { return cpi_; }
  ClipRefsView* refsView() const { return refs_; }
  QLabel* clipExtDataLabel() const { return extCaption_; }
  QPushButton* clipExtDataButton() const { return extEdit_; }

  // Questions (the packet count, the ExtensionData editor's files).
  void setInteraction(Interaction* ia) { ia_ = ia; }
  // Asked before a changed document is replaced (the clip by a Read, the
  // menu by "-> M&enu"); false stops the replacement.
  void setAskToSave(std::function<bool(mirdal::DocumentBase&)> ask) { askToSave_ = std::move(ask); }
  // The PlayItem of ws.playlist that "Apply to clpi" takes its attributes
  // from; when it gives nothing, the first PlayItem of the chosen clip, or
  // else PlayItem 0.
  void setSelectedPlayItem(std::function<std::optional<std::size_t>()> f) { selectedPlayItem_ = std::move(f); }

  // The page asks for no more room than it needs: its grids would ask for
  // far more, and the window's first layout (which the other pages' pane
  // rules see) should not follow them.
  QSize sizeHint() const override { return minimumSizeHint(); }

  void refresh() override;
  bool hasSomethingToSave() const override;
  void save() override;

  void readClipClicked();
  // Reads clip `name` (chosen in the clip choice first); false when the disc
  // has no clip of that name or the user kept the changed clip.
  bool readClipNamed(const QString& name);
  void playClicked();
  void savePidClicked();
  void loadToMenuClicked(std::uint16_t pid);
  void applyToClipInfoClicked();
  void clipExtDataClicked();
  // The references of the chosen clip, after Find.
  void showReferences();

 signals:
  // A menu was taken from the clip's stream into ws.menu.
  void menuLoaded();
  // Another clip was chosen: the Save hint names it.
  void clipChosen();
  // A double click in "Referenced by".
  void playlistRequested(const QString& playlist, bool playItem, int item);

 protected:
  const std::vector<std::string>& fileNames() const override;

 private:
  void afterRead();
  void packetCheck();
  std::string savePidOutput(const std::string& exportName, mirdal::ExportMode mode, std::uint16_t pid);
  void showExtensionData();
  void updateApply();
  std::optional<std::size_t> defaultPlayItem() const;

  Interaction* ia_ = nullptr;
  std::function<bool(mirdal::DocumentBase&)> askToSave_;
  std::function<std::optional<std::size_t>()> selectedPlayItem_;
  ClipProgramView* program_;
  ClipInfoView* info_;
  ClipSequenceView* sequences_;
  ClipCpiView* cpi_;
  ClipRefsView* refs_;
  QLabel* extCaption_;
  QPushButton* extEdit_;
  bool exporting_ = false;
};

}  // namespace mirdal::gui
