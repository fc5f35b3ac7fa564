#include "documents/save_question.h"

#include <filesystem>

#include "formats/clip/clpi.h"
#include "formats/clip/clpi_edit.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"
#include "formats/playlist/mpls.h"
#include "formats/sound/sound_bdmv.h"

namespace mirdal {

namespace {

struct Replacement {
  std::string kind;      // "playlist"
  std::string contents;  // "1 PlayItem(s), 0 SubPath(s) and 0 PlayListMark(s)"
  std::string path;      // the file on disc; "" when Save asks for one
  std::size_t bytes = 0; // what Save would write; 0 when not known ahead
};

std::string count(std::size_t n, const std::string& what) { return std::to_string(n) + " " + what; }

Replacement replacementOf(const Workspace& ws, const DocumentBase& doc) {
  Replacement r;
  const std::string file = doc.fileName();
  if (&doc == &ws.index) {
    const IndexFile& m = ws.index.model();
    r = {"index", count(m.indexes.titles.size(), "title(s)"), ws.pathOf(file), composeIndex(m).size()};
  } else if (&doc == &ws.mobj) {
    const MovieObjectFile& m = ws.mobj.model();
    r = {"movie object file", count(m.movieObjects.objects.size(), "movie object(s)"), ws.pathOf(file),
         composeMovieObjects(m).size()};
  } else if (&doc == &ws.sound) {
    const SoundFile& m = ws.sound.model();
    r = {"sound file", count(m.entries.size(), "sound entr(ies)"),
         ws.pathOf(std::string("AUXDATA") + kSep + file), composeSound(m).size()};
  } else if (&doc == &ws.playlist) {
    Playlist m = ws.playlist.model();
    fitLayout(m);  // as the save lays guesses out
    r = {"playlist",
         count(m.playlist.items.size(), "PlayItem(s), ") + count(m.playlist.subpaths.size(), "SubPath(s) and ") +
             count(m.marks.marks.size(), "PlayListMark(s)"),
         ws.pathOf(std::string("PLAYLIST") + kSep + file), composePlaylist(m).size()};
  } else if (&doc == &ws.clip) {
    ClipInfoFile m = ws.clip.model();
    fitClipLayout(m);
    std::size_t streams = 0;
    for (const ProgramSequence& p : m.programInfo.programSequences) streams += p.streams.size();
    r = {"clip information file",
         count(streams, "program stream(s), ") + count(m.sequenceInfo.atcSequences.size(), "ATC sequence(s) and ") +
             count(m.cpi.entries.size(), "EP map(s)"),
         ws.pathOf(std::string("CLIPINF") + kSep + file), composeClipInfo(m).size()};
  } else if (&doc == &ws.menu) {
    const IgMenu& m = ws.menu.model();
    r = {"menu", count(m.ics.pages.size(), "page(s), ") + count(m.objects.size(), "object(s) and ") +
                     count(m.palettes.size(), "palette(s)"),
         "", 0};
  } else {
    r = {"file", "what the page shows", ws.pathOf(file), 0};
  }
  return r;
}

}  // namespace

std::string writeGuessesQuestion(const Workspace& ws, const DocumentBase& doc) {
  const Replacement r = replacementOf(ws, doc);
  const std::string& file = doc.fileName();
  std::string q = file + " was read with errors: " + doc.readErrors() + ".\n\n";
  q += "Where the file could not be read, the page shows guesses (zeros and empty lists). Saving writes them: ";
  const std::string made = "made of what was read and these guesses: " + r.contents;
  const std::string sized = r.bytes ? " of " + std::to_string(r.bytes) + " bytes" : std::string();
  if (r.path.empty()) {
    q += "a " + r.kind + sized + " " + made + ", into the file you choose next.";
  } else {
    std::error_code ec;
    const auto now = std::filesystem::file_size(r.path, ec);
    q += file + (ec ? std::string() : " (" + std::to_string(now) + " bytes now)") + " is replaced by a " + r.kind +
         sized + " " + made + ".";
  }
  return q + "\n\nWrite it anyway?";
}

}  // namespace mirdal
