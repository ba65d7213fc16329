#pragma once

#include <QIcon>

namespace tessolan {

// The program's icon: a small pyramid array, drawn rather than loaded.
QIcon TessolanIcon();

}  // namespace tessolan
