#pragma once

class QApplication;

namespace tessolan {

// The program's look: the application's icon, and hints that appear after a second.
void ApplyApplicationStyle(QApplication& application);

}  // namespace tessolan
