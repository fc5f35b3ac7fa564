// Where a write through a path lands: the file a chain of symbolic links
// names. Saves replace that file and leave the links as links.
#pragma once

#include <string>

namespace mirdal {

// Follows every link on `path` to the file it names (relative links count
// from the link's folder); a link to nothing gives the path of the file to
// create. False, with the reason in `error`, for a link that cannot be read
// or a chain of more than 40 links (a loop), where no file can be written.
bool followLinks(const std::string& path, std::string& target, std::string* error);

}  // namespace mirdal
