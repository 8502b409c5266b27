#pragma once

namespace tallix {
class frmTallixViewer;
}

namespace tallix::screenshots {

// Builds the demo server below the working folder (a scratch one), its last change in the
// current minute, and registers it as the only server. False, with the reason on stderr, when
// it could not be built.
bool registerDemoServer();

// The viewer as a user first sees it: loaded, at the pictures' size, its default query run.
void openViewer(frmTallixViewer& window);

} // namespace tallix::screenshots
