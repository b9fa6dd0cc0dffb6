#pragma once

// The updater program: "Verup.exe <length> [--no-window]". It takes the
// description Mendor handed over in the block VERUP_XML_SHARE, works every
// entry, and writes one line per entry on standard output. It shows its
// window when there is a display to show it on, unless --no-window (or /q)
// asks it not to.
//
// Exit codes: 0 every entry succeeded; 1 some entry failed; 2 there was no
// description to work (a wrong command line, no block, a block shorter than
// the length, or a text without a Verup root).

namespace verup {

int RunUpdater(int argc, char** argv);

// Whether a window can be shown: a display is named and the toolkit is not
// told to draw off screen.
bool HasDisplay();

} // namespace verup
