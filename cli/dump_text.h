// The plain-text dumps of mirdal-cli: what the grids and fields of the
// "&BDMV" and "BD&JO" pages show.
#pragma once

#include <cstddef>
#include <string>

#include "formats/bdjo/bdjo.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"
#include "nav/command.h"

namespace mirdal::cli {

std::string dumpIndexText(const IndexFile& idx, const std::string& name);
std::string dumpMovieObjectsText(const MovieObjectFile& m, const std::string& name);
std::string dumpBdjoText(const BdjoFile& b, const std::string& name);

// One line of a command listing; the one place that decides how a command
// is shown in the dumps.
std::string commandLine(std::size_t line, const NavCommand& c);

}  // namespace mirdal::cli
