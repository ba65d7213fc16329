#pragma once

#include <QIcon>
#include <QPixmap>

namespace tessolan {

// The program's icon: a small pyramid array, drawn rather than loaded.
QIcon TessolanIcon();

// The icon drawn at `size` x `size` pixels (also the installed icon files).
QPixmap TessolanIconPixmap(int size);

}  // namespace tessolan
