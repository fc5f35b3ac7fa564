// Where the disc player gets the disc from: index.bdmv and the movie
// objects up front, playlists and the menus of clips when they are needed.
// A missing file is an answer with its reason, never an error: the player
// turns it into an event and goes on as a player would.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "core/disc_folder.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"
#include "formats/playlist/mpls.h"
#include "menu/igs_model.h"

namespace mirdal {

class DiscSource {
 public:
  virtual ~DiscSource() = default;
  virtual const IndexFile& index() const = 0;
  virtual const MovieObjectFile& movieObjects() const = 0;
  // Playlist n (00000.mpls is 0), or null with the reason in why.
  virtual const Playlist* playlist(unsigned n, std::string& why) = 0;
  // The menu of a clip's IG stream (PID pid), or null with the reason.
  virtual const IgMenu* menu(const std::string& clip, std::uint16_t pid, std::string& why) = 0;
};

// A disc held as models: discs built in code, and the GUI's loaded files so
// that unsaved edits play.
class ModelDisc : public DiscSource {
 public:
  IndexFile indexModel;
  MovieObjectFile objectsModel;
  std::map<unsigned, Playlist> playlists;
  std::map<std::string, IgMenu> menus;  // by clip name, whatever the PID

  const IndexFile& index() const override { return indexModel; }
  const MovieObjectFile& movieObjects() const override { return objectsModel; }
  const Playlist* playlist(unsigned n, std::string& why) override;
  const IgMenu* menu(const std::string& clip, std::uint16_t pid, std::string& why) override;
};

// A BDMV folder on disk. Playlists are read on first use; a clip's menu
// comes from a .mnu attached to the clip, else from the IG stream of its
// stream file, and is kept once read.
class FolderDisc : public DiscSource {
 public:
  // False with the reason when index.bdmv or MovieObject.bdmv cannot be
  // read whole.
  bool open(const std::string& bdmvFolder, std::string& why);
  // Playlists and menus from this folder only (the index and the movie
  // objects come from elsewhere: EditedDisc).
  void useFolder(const std::string& bdmvFolder);
  // --menu 00001=menu.mnu: the menu of clip 00001 comes from the file.
  void attachMenu(const std::string& clip, const std::string& mnuPath) { attached_[clip] = mnuPath; }

  const IndexFile& index() const override { return index_; }
  const MovieObjectFile& movieObjects() const override { return objects_; }
  const Playlist* playlist(unsigned n, std::string& why) override;
  const IgMenu* menu(const std::string& clip, std::uint16_t pid, std::string& why) override;

 private:
  std::string folder_;  // with the separator
  const NameSet* names_ = &nameSet(false);  // the 8.3 names when the disc has them
  IndexFile index_;
  MovieObjectFile objects_;
  std::map<unsigned, std::optional<Playlist>> playlists_;
  std::map<std::string, std::string> attached_;
  std::map<std::pair<std::string, std::uint16_t>, std::shared_ptr<IgMenu>> menus_;
  std::map<std::pair<std::string, std::uint16_t>, std::string> menuErrors_;
};

// The disc as the GUI holds it: the index and movie objects being edited
// (unsaved edits play), playlists and menus from the disc folder.
class EditedDisc : public DiscSource {
 public:
  EditedDisc(const IndexFile& index, const MovieObjectFile& objects, const std::string& bdmvFolder)
      : index_(index), objects_(objects) {
    folder_.useFolder(bdmvFolder);
  }
  FolderDisc& folder() { return folder_; }
  const IndexFile& index() const override { return index_; }
  const MovieObjectFile& movieObjects() const override { return objects_; }
  const Playlist* playlist(unsigned n, std::string& why) override { return folder_.playlist(n, why); }
  const IgMenu* menu(const std::string& clip, std::uint16_t pid, std::string& why) override {
    return folder_.menu(clip, pid, why);
  }

 private:
  const IndexFile& index_;
  const MovieObjectFile& objects_;
  FolderDisc folder_;
};

// "00042"
std::string fiveDigits(unsigned n);

}  // namespace mirdal
