#include "nav/psr_names.h"

#include <array>

namespace mirdal {

namespace {

constexpr std::string_view kReserved = "reserved";

constexpr std::array<std::string_view, kDescribedPsrs> kDescriptions = {
    "Interactive Graphics Stream Number (b7-b0) {1-32,$ff}",
    "Primary Audio Stream Number (b7-b0) {1-32,$ff}",
    "PG and PiP PG TextST Stream Number (b31: disp_s, b30: PIP_PG_textST_valid, b27-b16: PiP PG "
    "TextST, b11-b0: PG TextST) {0-255,$fff}",
    "Angle Number (b7-b0) {1-9}",
    "Title Number (b15-b0) {1-999,$ffff}",
    "Chapter Number (b15-b0) {1-999,$ffff}",
    "PlayList id (b15-b0) {0-1999}",
    "PlayItem id (b15-b0) {0-998}",
    "Presentation Time in 45kHz {0-$ffffffff}",
    "Navigation Timer (b15-b0) {0-300} sec",
    "Selected Button id (b15-b0) {0-$1fdf,$ffff}",
    "Menu Page id (b7-b0) {0-$fe}",
    "User Style Number (b7-b0) {1-25,$ff}",
    "Parental Level (b7-b0) {0-255} age",
    // The closing parenthesis is missing in the text users know; kept so.
    "Sec. Audio and Sec. Video Stream Number (b31: disp_v, b30: disp_a, b27-b24: sec. video size, "
    "b15-b8: sec.video, b7-b0: sec.audio",
    "Player Capability for Audio (b15-b14: MLP, b13-b12: DD Lossless, b11-b10: DTS-HD ext., b9-b8: "
    "DTS-HD core, b7-b6: DD+ dep., b5-b4: DD+ ind., b3-b0: LPCM)",
    "Language Code for Audio (b23-b0)",
    "Language code for PG and Text subtitle (b23-b0)",
    "Language Code for Menu (b23-b0)",
    "Country Code (b15-b0)",
    "Region Code (b7-b0) {1,2,4}",
    kReserved, kReserved, kReserved, kReserved, kReserved, kReserved, kReserved, kReserved,  // 21-28
    "Player Capability for Video (b1: 50Hz and 25Hz, b0: HD sec video)",
    "Player Capability for Text Subtitle",
    "Player Profile / Version number (b19-b16: profile {0,1,3,8}, b15-b0: player version {$0200})",
    kReserved, kReserved, kReserved, kReserved,  // 32-35
    "Back-up Register for PSR4",
    "Back-up Register for PSR5",
    "Back-up Register for PSR6",
    "Back-up Register for PSR7",
    "Back-up Register for PSR8",
    kReserved,  // 41
    "Back-up Register for PSR10",
    "Back-up Register for PSR11",
    "Back-up Register for PSR12",
};

}  // namespace

std::string_view psrDescription(unsigned n) { return n < kDescribedPsrs ? kDescriptions[n] : std::string_view{}; }

}  // namespace mirdal
