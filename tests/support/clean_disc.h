// A small disc that breaks no rule of the disc check, held as models so that
// a test can break exactly one thing before writing it out.
//
//   index.bdmv       First Playback -> object 0, Top Menu -> object 1,
//                    title 1 -> object 2, title 2 -> object 3
//   MovieObject.bdmv four objects: they play both playlists, set streams
//                    within the playlists' counts, and write and read GPR0
//                    and GPR1 (the menu's buttons write GPR2, object 3 reads it)
//   00000.mpls       the feature: two PlayItems of clip 00000, three marks
//   00001.mpls       the menu: one PlayItem of clip 00001, whose stream
//                    carries the menu on PID 1400
//   00000/00001.clpi STC sequences around the IN/OUT times, increasing EP
//                    maps, the streams the playlists list; stream files of
//                    the counted size
//   sound.bdmv       two sounds, both used by the buttons
//   menu             two pages; page 0: buttons 1 and 2 (BOGs 0 and 1),
//                    page 1: button 1
#pragma once

#include <filesystem>

#include "formats/clip/clpi.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"
#include "formats/playlist/mpls.h"
#include "formats/sound/sound_bdmv.h"
#include "menu/igs_model.h"

namespace mirdal::test {

struct CleanDisc {
  IndexFile index;
  MovieObjectFile objects;
  Playlist feature;    // 00000.mpls
  Playlist menuList;   // 00001.mpls
  ClipInfoFile featureClip;  // 00000.clpi
  ClipInfoFile menuClip;     // 00001.clpi
  SoundFile sound;
  IgMenu menu;       // muxed into STREAM/00001.m2ts on PID 1400

  CleanDisc();

  // Writes BDMV/ under root (the layout of a disc folder, BACKUP included)
  // and returns the BDMV folder with a trailing separator. Lengths and
  // addresses are fitted to the models first.
  std::string write(const std::filesystem::path& root);
};

}  // namespace mirdal::test
