#pragma once

class QLabel;

namespace tessolan {

// Makes `pane` a status-bar clock: the time of day as HH:mm:ss, centred, kept current every
// second for as long as the pane lives.
void RunStatusBarClock(QLabel* pane);

}  // namespace tessolan
