// The EXAMPLES of mirdal-cli(1). Each command runs as it stands in a folder
// that holds a disc folder named "Disc" (a copy of samples/disc): the
// packaging tests run them all, in this order (later ones use the files
// earlier ones write).
#pragma once

namespace mirdal::cli {

struct ManExample {
  const char* text;      // what the commands below it do
  const char* commands;  // one command per line
};

inline constexpr ManExample kManExamples[] = {
    {"Check a disc folder and print the log of the Read:", "mirdal-cli check Disc"},
    {"Show a playlist as the window's grids show it, then its model as JSON:",
     "mirdal-cli dump Disc/BDMV/PLAYLIST/00000.mpls\n"
     "mirdal-cli dump Disc/BDMV/PLAYLIST/00000.mpls --json"},
    {"Export a playlist's marks as chapter times, then write a copy of the playlist whose marks are "
     "the chapters of that file:",
     "mirdal-cli chapters export Disc/BDMV/PLAYLIST/00000.mpls --format time -o chapters.txt\n"
     "mirdal-cli chapters import Disc/BDMV/PLAYLIST/00000.mpls chapters.txt --format time -o 00000.mpls"},
    {"Read a file and write it back through the model (an unedited file comes back byte for byte):",
     "mirdal-cli resave Disc/BDMV/MovieObject.bdmv -o MovieObject.bdmv"},
    {"Check the whole disc for errors only, then show which commands write and read each GPR, and draw the "
     "navigation map with Graphviz:",
     "mirdal-cli lint Disc --min-severity error --rule MO-UNREACHED\n"
     "mirdal-cli gpr-map Disc\n"
     "mirdal-cli navmap Disc --dot > navmap.dot"},
    {"List the commands that play playlist 00001, and the playlists that use each clip:",
     "mirdal-cli find Disc --playlist 1\n"
     "mirdal-cli find Disc --clips"},
    {"Save the subtitle stream on PID 1200 of a stream file as a SUP file named after the clip, the PID "
     "and the stream:",
     "mirdal-cli export-pid Disc/BDMV/STREAM/00000.m2ts 1200"},
    {"Show movie object 6's program as a listing, then run object 7 with a trace and print the registers:",
     "mirdal-cli program Disc/BDMV/MovieObject.bdmv 6\n"
     "mirdal-cli run Disc/BDMV/MovieObject.bdmv 7 --trace-log"},
    {"Turn command words into a command line, and command lines into words:",
     "mirdal-cli command 50000001 3 80000004\n"
     "mirdal-cli assemble \"Move GPR6, 0\" \"SetButtonPage 1, (2)\""},
    {"Draw a menu page with the button ids and frames over it, then drive the menu with keys:",
     "mirdal-cli render Disc/menu/sample.mnu --overlays ids,frames -o page.png\n"
     "mirdal-cli play Disc/menu/sample.mnu --keys down,select"},
    {"Play the whole disc from First Playback, call the Top Menu with the menu of clip 00001 from a file, "
     "press Down and Enter, and list what happens:",
     "mirdal-cli play-disc Disc --menu 00001=Disc/menu/sample.mnu --keys menu,down,enter"},
    {"Start a new menu, mux it into a stream file, and take its menu stream out again:",
     "mirdal-cli menu new --size 1920x1080 -o menu.mnu\n"
     "mirdal-cli mux menu.mnu -o menu.m2ts\n"
     "mirdal-cli extract-menu menu.m2ts -o again.mnu"},
    {"Save the second sound of sound.bdmv as a WAV file:",
     "mirdal-cli sound export Disc/BDMV/AUXDATA/sound.bdmv 1 -o click.wav"},
};

}  // namespace mirdal::cli
